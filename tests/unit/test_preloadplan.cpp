// The bookkeeping of the slots prepared ahead of their press: which files, how much of each
// within the budget, and when a kept copy no longer is the file on disk; and that the window
// hands the engine the assigned slots' files.
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "playback/PreloadPlan.h"

using namespace kv;

namespace {

const AudioFormat kStereo48k{48000, 2};
constexpr std::size_t kFrameBytes = 2 * sizeof(float);
const FileStamp kOld{1000, 7};
const FileStamp kNew{1000, 8};

TEST(PreloadShare, AWholeFileThatFitsKeepsTheShareElseItsFirstSeconds) {
    const std::size_t share = 10 * 48000 * kFrameBytes;  // ten seconds
    EXPECT_EQ(framesToKeep(share, 5, kStereo48k, 9000), 480000u) << "all of it, with room for a longer end";
    EXPECT_EQ(framesToKeep(share, 5, kStereo48k, 12000), 240000u) << "too long: its first five seconds";
    EXPECT_EQ(framesToKeep(share, 5, kStereo48k, 0), 240000u) << "no declared length counts as long";
    EXPECT_EQ(framesToKeep(share / 4, 5, kStereo48k, 12000), 120000u) << "never more than the share";
    EXPECT_EQ(framesToKeep(share, 5, AudioFormat{}, 1000), 0u);
}

class Preload : public ::testing::Test {
protected:
    PreloadPlan plan{PreloadLimits{1200, 5}};

    // The worker's turn: takes the next file and records it prepared with these bytes.
    std::wstring prepareNext(std::size_t bytes, FileStamp stamp = kOld) {
        const std::wstring file = plan.next().value_or(L"");
        plan.begin(file);
        EXPECT_TRUE(plan.prepared(file, stamp, bytes)) << file;
        return file;
    }
};

TEST_F(Preload, FilesArePreparedInTheirOrderOnceEachWithinAnEqualShare) {
    EXPECT_TRUE(plan.setFiles({L"a.wav", L"", L"b.mp3", L"a.wav", L"c.wav"}).empty());
    EXPECT_EQ(plan.shareBytes(), 400u);
    EXPECT_EQ(prepareNext(400), L"a.wav");
    plan.begin(*plan.next());
    EXPECT_EQ(plan.next(), L"c.wav") << "b.mp3 is being prepared";
    EXPECT_FALSE(plan.prepared(L"b.mp3", kOld, 401)) << "more than its share";
    EXPECT_EQ(plan.next(), L"b.mp3") << "prepared again within the share";
    EXPECT_EQ(prepareNext(300), L"b.mp3");
    EXPECT_EQ(prepareNext(100), L"c.wav");
    EXPECT_FALSE(plan.next());
    EXPECT_EQ(plan.bytesHeld(), 800u);
}

TEST_F(Preload, ANewListDropsWhatItLacksAndWhatExceedsTheSmallerShare) {
    plan.setFiles({L"a.wav", L"b.wav"});
    prepareNext(600);
    prepareNext(200);
    // Three files now share the budget: a.wav's 600 bytes are more than 400.
    EXPECT_EQ(plan.setFiles({L"a.wav", L"b.wav", L"c.wav"}), std::vector<std::wstring>{L"a.wav"});
    EXPECT_TRUE(plan.isPrepared(L"b.wav"));
    EXPECT_EQ(plan.next(), L"a.wav");
    EXPECT_EQ(plan.setFiles({L"c.wav"}), std::vector<std::wstring>{L"b.wav"});
    EXPECT_EQ(plan.bytesHeld(), 0u);
    // A file dropped while it was being prepared is not kept.
    plan.begin(L"c.wav");
    plan.setFiles({});
    EXPECT_FALSE(plan.prepared(L"c.wav", kOld, 10));
    EXPECT_FALSE(plan.next());
}

TEST_F(Preload, APressUsesMemoryOnlyForTheUnchangedFileAndAChangedOneIsPreparedAgain) {
    plan.setFiles({L"a.wav", L"b.wav"});
    prepareNext(100);
    EXPECT_TRUE(plan.usable(L"a.wav", kOld));
    EXPECT_TRUE(plan.usable(L"a.wav", kOld)) << "still prepared after a press";
    EXPECT_FALSE(plan.usable(L"b.wav", kOld)) << "not prepared yet";
    EXPECT_FALSE(plan.usable(L"x.wav", kOld)) << "not in the list";

    EXPECT_FALSE(plan.usable(L"a.wav", kNew)) << "written since";
    EXPECT_FALSE(plan.usable(L"a.wav", FileStamp{999, 7})) << "changed, not usable while it is prepared again";
    EXPECT_EQ(plan.next(), L"a.wav");
    EXPECT_EQ(prepareNext(100, kNew), L"a.wav");
    EXPECT_TRUE(plan.usable(L"a.wav", kNew));
    EXPECT_FALSE(plan.usable(L"a.wav", std::nullopt)) << "gone from the disk";
}

TEST_F(Preload, AFailedFileIsTriedAgainOnlyOnceItChangedAndANewFormatRestartsAll) {
    plan.setFiles({L"a.txt", L"b.wav"});
    plan.begin(L"a.txt");
    plan.failed(L"a.txt", kOld);
    prepareNext(100);
    EXPECT_FALSE(plan.next());
    EXPECT_FALSE(plan.usable(L"a.txt", kOld));
    EXPECT_FALSE(plan.next()) << "unchanged: not tried again";
    EXPECT_FALSE(plan.usable(L"a.txt", kNew));
    EXPECT_EQ(plan.next(), L"a.txt");

    EXPECT_EQ(plan.restart(), std::vector<std::wstring>{L"b.wav"});
    EXPECT_EQ(plan.bytesHeld(), 0u);
    EXPECT_FALSE(plan.usable(L"b.wav", kOld));
}

using PreloadCall = test::FormFixture;

TEST_F(PreloadCall, TheShownCategorysAssignedSlotsAndEachNewAssignmentArePrepared) {
    store(L"Alt", L"Jingle2", L" D:\\J\\zwei.wav ");
    store(L"Alt", L"Jingle5", L"D:\\J\\fuenf.mp3");
    store(L"Neu", L"Jingle1", L"D:\\J\\neu.wav");
    auto& f = start();
    ASSERT_FALSE(engine.preloaded.empty());
    EXPECT_EQ(engine.preloaded.back(), (std::vector<std::wstring>{L"D:\\J\\zwei.wav", L"D:\\J\\fuenf.mp3"}));

    dialogs.openAnswers.push_back(L"D:\\J\\drei.wav");
    dialogs.acceptQuery();
    f.slot(3).mouseDown(ui::MouseButton::Right);
    EXPECT_EQ(engine.preloaded.back(),
              (std::vector<std::wstring>{L"D:\\J\\zwei.wav", L"D:\\J\\drei.wav", L"D:\\J\\fuenf.mp3"}));

    f.kategorie.userSelect(f.kategorie.indexOf(L"Neu", true));
    EXPECT_EQ(engine.preloaded.back(), std::vector<std::wstring>{L"D:\\J\\neu.wav"});
    f.kategorie.setItemIndex(-1);
    f.kategorieChange();
    EXPECT_TRUE(engine.preloaded.back().empty()) << "no category: nothing kept";
}

}  // namespace
