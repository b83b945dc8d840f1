// The bookkeeping of the slots prepared ahead of their press: which files, how much of each
// within the budget, and when a kept copy no longer is the file on disk; and that the window
// hands the engine the assigned slots' files.
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "playback/PreloadPlan.h"

using namespace kv;

namespace {

const FileStamp kOld{1000, 7};
const FileStamp kNew{1000, 8};

TEST(PreloadShare, AWholeFileThatFitsKeepsTheShareElseItsFirstSeconds) {
    const AudioFormat stereo{48000, 2};
    const std::size_t share = 10 * 48000 * 2 * sizeof(float);  // ten seconds
    EXPECT_EQ(framesToKeep(share, 5, stereo, 9000), 480000u) << "all of it, with room for a longer end";
    EXPECT_EQ(framesToKeep(share, 5, stereo, 12000), 240000u) << "too long: its first five seconds";
    EXPECT_EQ(framesToKeep(share, 5, stereo, 0), 240000u) << "no declared length counts as long";
    EXPECT_EQ(framesToKeep(share / 4, 5, stereo, 12000), 120000u) << "never more than the share";
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

TEST_F(Preload, FilesArePreparedInOrderWithinTheirShareAndANewListMakesRoom) {
    plan.setFiles({L"a.wav", L"", L"b.mp3", L"a.wav"});
    EXPECT_EQ(plan.shareBytes(), 600u);
    plan.begin(L"a.wav");
    EXPECT_FALSE(plan.prepared(L"a.wav", kOld, 601)) << "more than its share";
    EXPECT_EQ(prepareNext(600), L"a.wav") << "prepared again within it";
    EXPECT_EQ(prepareNext(200), L"b.mp3");
    EXPECT_FALSE(plan.next());
    // Three files share the budget now: a.wav's 600 bytes are more than 400; b.mp3 stays.
    EXPECT_EQ(plan.setFiles({L"a.wav", L"b.mp3", L"c.wav"}), std::vector<std::wstring>{L"a.wav"});
    EXPECT_EQ(plan.bytesHeld(), 200u);
    EXPECT_EQ(plan.next(), L"a.wav");
    plan.begin(L"c.wav");
    EXPECT_EQ(plan.setFiles({}), std::vector<std::wstring>{L"b.mp3"});
    EXPECT_FALSE(plan.prepared(L"c.wav", kOld, 10)) << "dropped while it was being prepared";
}

TEST_F(Preload, APressUsesMemoryOnlyForTheUnchangedFileAndAChangedOneIsPreparedAgain) {
    plan.setFiles({L"a.wav", L"b.wav"});
    prepareNext(100);
    EXPECT_TRUE(plan.usable(L"a.wav", kOld));
    EXPECT_TRUE(plan.usable(L"a.wav", kOld)) << "still prepared after a press";
    EXPECT_FALSE(plan.usable(L"b.wav", kOld)) << "not prepared yet";
    EXPECT_FALSE(plan.usable(L"a.wav", kNew)) << "written since";
    EXPECT_EQ(prepareNext(100, kNew), L"a.wav");
    EXPECT_TRUE(plan.usable(L"a.wav", kNew));
    EXPECT_FALSE(plan.usable(L"a.wav", std::nullopt)) << "gone from the disk";
    EXPECT_EQ(prepareNext(100), L"a.wav");
    EXPECT_EQ(plan.restart(), std::vector<std::wstring>{L"a.wav"}) << "another output format";
    EXPECT_EQ(plan.bytesHeld(), 0u);
}

TEST_F(Preload, AFileThatFailedIsTriedAgainOnlyOnceItChanged) {
    plan.setFiles({L"c.txt"});
    plan.begin(L"c.txt");
    plan.failed(L"c.txt", kOld);
    EXPECT_FALSE(plan.usable(L"c.txt", kOld));
    EXPECT_FALSE(plan.next()) << "unchanged: not tried again";
    EXPECT_FALSE(plan.usable(L"c.txt", kNew));
    EXPECT_EQ(plan.next(), L"c.txt");
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
