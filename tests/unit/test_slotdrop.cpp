// Files dropped onto slot buttons: one file with the caption query, several in order up to
// J12, refused kinds named in the status line, and no category.
#include "FormFixture.h"
#include "playback/MediaKinds.h"

using namespace kv;
using namespace kv::test;

namespace {

class SlotDrop : public FormFixture {
protected:
    ui::TKavintamainform& startWithCategory() {
        store(L"Show", L"Text1", L"Alt");
        store(L"Show", L"Jingle1", L"D:\\alt.wav");
        return start();
    }
};

TEST_F(SlotDrop, OneFileAsksForTheCaptionLikeTheRightClickAndSavesAtOnce) {
    auto& f = startWithCategory();
    dialogs.answerQuery(L"Guten Morgen");
    f.JingleButtonDragDrop(f.slot(4), {L"D:\\Jingles\\Intro Morgen.b.mp3"});
    ASSERT_EQ(dialogs.queries.size(), 1u);
    EXPECT_EQ(dialogs.queries[0].caption, L"Jingle ändern");
    EXPECT_EQ(dialogs.queries[0].prompt, L"Bitte Bezeichnung/Buttontext eingeben");
    EXPECT_EQ(dialogs.queries[0].initial, L"Intro Morgen.b");
    EXPECT_TRUE(dialogs.openInitialDirs.empty()) << "no file dialog for a dropped file";
    EXPECT_EQ(f.slot(4).text(), L"Guten Morgen");
    EXPECT_EQ(f.slot(4).hint(), L"D:\\Jingles\\Intro Morgen.b.mp3");
    EXPECT_EQ(stored(L"Show", L"Text4"), L"Guten Morgen");
    EXPECT_EQ(stored(L"Show", L"Jingle4"), L"D:\\Jingles\\Intro Morgen.b.mp3");
    EXPECT_EQ(f.StatusBarMain.panelText(), L"");
}

TEST_F(SlotDrop, CancelInTheQueryLeavesTheSlotAndSavesNothing) {
    auto& f = startWithCategory();
    const int writes = profile.writeCount();
    dialogs.cancelQuery();
    f.JingleButtonDragDrop(f.slot(1), {L"D:\\neu.wav"});
    EXPECT_EQ(dialogs.queries.size(), 1u);
    EXPECT_EQ(f.slot(1).text(), L"Alt");
    EXPECT_EQ(f.slot(1).hint(), L"D:\\alt.wav");
    EXPECT_EQ(profile.writeCount(), writes);
}

TEST_F(SlotDrop, SeveralFilesFillThatSlotAndTheFollowingOnesWithoutAQueryAndOneSave) {
    auto& f = startWithCategory();
    const int writes = profile.writeCount();
    f.JingleButtonDragDrop(f.slot(6), {L"D:\\a\\Eins.wav", L"D:\\b\\Zwei.x.mp3", L"D:\\Drei.MID"});
    EXPECT_TRUE(dialogs.queries.empty());
    EXPECT_EQ(f.slot(5).text(), L"unbelegt");
    EXPECT_EQ(f.slot(6).text(), L"Eins");
    EXPECT_EQ(f.slot(7).text(), L"Zwei.x");
    EXPECT_EQ(f.slot(8).text(), L"Drei");
    EXPECT_EQ(f.slot(8).hint(), L"D:\\Drei.MID");
    EXPECT_EQ(f.slot(9).text(), L"unbelegt");
    EXPECT_EQ(stored(L"Show", L"Jingle7"), L"D:\\b\\Zwei.x.mp3");
    EXPECT_EQ(stored(L"Show", L"Text8"), L"Drei");
    // One save: the category's 36 keys, KONFIG's 8 (placement: none without a window).
    EXPECT_EQ(profile.writeCount() - writes, 44);
    EXPECT_EQ(f.StatusBarMain.panelText(), L"");
}

TEST_F(SlotDrop, FilesBeyondJ12AreLeftOutAndCounted) {
    auto& f = startWithCategory();
    f.JingleButtonDragDrop(f.slot(11), {L"D:\\1.wav", L"D:\\2.wav", L"D:\\3.wav", L"D:\\4.wav"});
    EXPECT_EQ(f.slot(11).text(), L"1");
    EXPECT_EQ(f.slot(12).text(), L"2");
    EXPECT_EQ(stored(L"Show", L"Jingle12"), L"D:\\2.wav");
    EXPECT_EQ(f.slot(1).text(), L"Alt") << "nothing wraps round to J1";
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Kein Platz nach J12: 2 Datei(en) nicht belegt");
    EXPECT_EQ(f.StatusBarMain.hint(), f.StatusBarMain.panelText());
}

TEST_F(SlotDrop, FoldersAndUnplayableFilesAreNotAssignedAndNamed) {
    files.addDirectory(L"D:\\Ordner.wav");
    auto& f = startWithCategory();
    f.JingleButtonDragDrop(f.slot(2), {L"D:\\notiz.txt", L"D:\\gut.aiff", L"D:\\Ordner.wav", L"D:\\ohne"});
    EXPECT_EQ(f.slot(2).text(), L"gut");
    EXPECT_EQ(f.slot(3).text(), L"unbelegt");
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Nicht belegt, keine abspielbare Datei: notiz.txt, Ordner.wav, ohne");
}

TEST_F(SlotDrop, OneRefusedFileAsksNothingAndSavesNothing) {
    auto& f = startWithCategory();
    const int writes = profile.writeCount();
    f.JingleButtonDragDrop(f.slot(1), {L"D:\\bild.png"});
    EXPECT_TRUE(dialogs.queries.empty());
    EXPECT_EQ(f.slot(1).text(), L"Alt");
    EXPECT_EQ(profile.writeCount(), writes);
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Nicht belegt, keine abspielbare Datei: bild.png");
}

TEST_F(SlotDrop, OverflowAndRefusedKindsShareTheStatusLine) {
    auto& f = startWithCategory();
    f.JingleButtonDragDrop(f.slot(12), {L"D:\\a.wav", L"D:\\b.doc", L"D:\\c.wav"});
    EXPECT_EQ(f.slot(12).text(), L"a");
    EXPECT_EQ(f.StatusBarMain.panelText(),
              L"Nicht belegt, keine abspielbare Datei: b.doc; Kein Platz nach J12: 1 Datei(en) nicht belegt");
}

TEST_F(SlotDrop, WithoutACategoryTheOperatorIsAskedForOne) {
    auto& f = start();
    f.JingleButtonDragDrop(f.slot(1), {L"D:\\a.wav", L"D:\\b.wav"});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, MessageType::Information);
    EXPECT_EQ(dialogs.messages[0].text, L"Bitte erst Kategorie anlegen!");
    EXPECT_EQ(f.slot(1).hint(), L"");
    EXPECT_FALSE(profile.exists(ini));
}

TEST_F(SlotDrop, DroppingOnAPlayingSlotReplacesItsMarkerWithTheNewCaption) {
    store(L"Show", L"Jingle1", L"D:\\alt.wav");
    files.addFile(L"D:\\alt.wav");
    auto& f = start();
    f.slot(1).click();
    ASSERT_EQ(f.slot(1).caption(), L">>");
    f.JingleButtonDragDrop(f.slot(1), {L"D:\\x.wav", L"D:\\y.wav"});
    EXPECT_EQ(f.slot(1).caption(), L"x");
}

TEST_F(SlotDrop, ThePointFindsTheSlotButtonUnderIt) {
    auto& f = start();
    const ui::Rect j1 = f.slot(1).bounds();
    const ui::Rect j12 = f.slot(12).bounds();
    EXPECT_EQ(f.slotAt(j1.left, j1.top), 1);
    EXPECT_EQ(f.slotAt(j12.right() - 1, j12.bottom() - 1), 12);
    EXPECT_EQ(f.slotAt(f.slot(8).bounds().left + 5, f.slot(8).bounds().top + 5), 8);
    EXPECT_EQ(f.slotAt(j12.right(), j12.top), 0);
    EXPECT_EQ(f.slotAt(5, 5), 0);  // the category label
}

TEST(MediaKinds, EveryWindowsFormatsAndThoseTheSystemNamesAreTaken) {
    FakeMciExtensions system;
    for (const wchar_t* path : {L"a.wav", L"a.MP3", L"a.wma", L"a.aif", L"a.aiff", L"a.mid", L"a.midi", L"C:\\x.y\\a.Wav"})
        EXPECT_TRUE(isPlayableFile(path, system)) << path;
    for (const wchar_t* path : {L"a.ogg", L"a.txt", L"a", L"C:\\x.wav\\a", L"a.wav.lnk", L"a."})
        EXPECT_FALSE(isPlayableFile(path, system)) << path;
    system.extensions.insert(L"OGG");
    EXPECT_TRUE(isPlayableFile(L"D:\\a.ogg", system));
    EXPECT_TRUE(isPlayableFile(L"D:\\a.Ogg", system));
}

}  // namespace
