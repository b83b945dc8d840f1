// Commands from other programs: the command line's accepted and refused forms, the block
// that carries a command to the running copy, the hand-over with its bounded wait for the
// window, and the running copy's queue that fires slots as their keys do.
#include <cstring>
#include <vector>

#include "FormFixture.h"
#include "app/commandhandover.h"
#include "app/commandline.h"
#include "app/commandpayload.h"

using namespace kv;
using namespace kv::test;

namespace {

using Args = std::vector<std::wstring>;
using Kind = CommandLine::Kind;

// --- The command line

TEST(CommandLineParse, NoArgumentsIsTheOrdinaryStart) {
    EXPECT_EQ(parseCommandLine({}).kind, Kind::None);
}

TEST(CommandLineParse, PlayTakesEverySlotFromOneToTwelve) {
    for (int n = 1; n <= 12; ++n) {
        const CommandLine line = parseCommandLine({L"/play", std::to_wstring(n)});
        ASSERT_EQ(line.kind, Kind::Command) << n;
        EXPECT_EQ(line.command, RemoteCommand::play(n));
    }
}

TEST(CommandLineParse, SwitchesIgnoreCaseAndALeadingZeroIsTheSameSlot) {
    EXPECT_EQ(parseCommandLine({L"/PLAY", L"3"}).command, RemoteCommand::play(3));
    EXPECT_EQ(parseCommandLine({L"/Play", L"03"}).command, RemoteCommand::play(3));
    const CommandLine stop = parseCommandLine({L"/STOP"});
    EXPECT_EQ(stop.kind, Kind::Command);
    EXPECT_EQ(stop.command, RemoteCommand::stop());
    EXPECT_EQ(parseCommandLine({L"/stop"}).command, RemoteCommand::stop());
}

TEST(CommandLineParse, SlotsOutsideOneToTwelveAndNonNumbersAreRefused) {
    for (const wchar_t* n : {L"0", L"00", L"13", L"99", L"012", L"-1", L"+3", L"x", L"3x", L" 3", L"3 ",
                             L"", L"1.5", L"٣"})
        EXPECT_EQ(parseCommandLine({L"/play", n}).kind, Kind::Invalid) << "\"" << testing::PrintToString(n) << "\"";
}

TEST(CommandLineParse, MissingOrExtraArgumentsAndUnknownSwitchesAreRefused) {
    for (const Args& args : {Args{L"/play"}, Args{L"/play", L"3", L"4"}, Args{L"/stop", L"1"}, Args{L"/foo"},
                             Args{L"play", L"3"}, Args{L"-play", L"3"}, Args{L"/play:3"}, Args{L"/play3"},
                             Args{L"3"}, Args{L""}, Args{L"/"}, Args{L"/stopp"}, Args{L"/play", L"3", L"/stop"}})
        EXPECT_EQ(parseCommandLine(args).kind, Kind::Invalid) << testing::PrintToString(args.size());
}

// --- The block that carries a command

TEST(CommandPayloadCodec, EveryCommandComesBackAsItWasSent) {
    std::vector<RemoteCommand> commands{RemoteCommand::stop()};
    for (int n = 1; n <= 12; ++n) commands.push_back(RemoteCommand::play(n));
    for (const RemoteCommand& command : commands) {
        const CommandPayload block = encodeCommand(command);
        EXPECT_EQ(decodeCommand(kCommandTag, &block, sizeof block), command) << command.slot;
    }
}

TEST(CommandPayloadCodec, AnotherTagIsRefused) {
    const CommandPayload block = encodeCommand(RemoteCommand::play(3));
    EXPECT_FALSE(decodeCommand(0, &block, sizeof block));
    EXPECT_FALSE(decodeCommand(kCommandTag + 1, &block, sizeof block));
    EXPECT_FALSE(decodeCommand(0x4D43564B, &block, sizeof block));  // the tag's bytes reversed
}

TEST(CommandPayloadCodec, OnlyTheExactSizeIsTaken) {
    // A larger buffer that begins with a valid block, and a shorter one.
    std::vector<unsigned char> buffer(4096, 0);
    const CommandPayload block = encodeCommand(RemoteCommand::play(3));
    std::memcpy(buffer.data(), &block, sizeof block);
    ASSERT_TRUE(decodeCommand(kCommandTag, buffer.data(), sizeof block));
    for (std::size_t size : {std::size_t{0}, std::size_t{4}, std::size_t{7}, std::size_t{9}, std::size_t{16},
                             buffer.size()})
        EXPECT_FALSE(decodeCommand(kCommandTag, buffer.data(), size)) << size;
    EXPECT_FALSE(decodeCommand(kCommandTag, nullptr, sizeof block));
}

TEST(CommandPayloadCodec, ValuesThatAreNoCommandAreRefused) {
    auto decoded = [](std::uint32_t verb, std::uint32_t slot) {
        const CommandPayload block{verb, slot};
        return decodeCommand(kCommandTag, &block, sizeof block);
    };
    EXPECT_EQ(decoded(kPayloadPlay, 12), RemoteCommand::play(12));
    EXPECT_FALSE(decoded(kPayloadPlay, 0));
    EXPECT_FALSE(decoded(kPayloadPlay, 13));
    EXPECT_FALSE(decoded(kPayloadPlay, 0xFFFFFFFFu));
    EXPECT_FALSE(decoded(kPayloadStop, 1));
    EXPECT_FALSE(decoded(0, 3));
    EXPECT_FALSE(decoded(3, 0));
}

// --- The hand-over to the running copy

class FakeRunningCopy final : public IRunningCopy {
public:
    std::vector<Answer> answers;  // one per send; NoWindow once they are used up
    std::vector<RemoteCommand> sent;
    int paused = 0;

    Answer send(const RemoteCommand& command) override {
        sent.push_back(command);
        return sent.size() <= answers.size() ? answers[sent.size() - 1] : Answer::NoWindow;
    }
    void pause(int milliseconds) override { paused += milliseconds; }
};

TEST(CommandHandOver, ATakenCommandEndsTheProcessWithZero) {
    FakeRunningCopy copy;
    copy.answers = {IRunningCopy::Answer::Taken};
    EXPECT_EQ(handOverCommand(copy, RemoteCommand::play(3)), kExitHandedOver);
    EXPECT_EQ(copy.sent, std::vector<RemoteCommand>{RemoteCommand::play(3)});
    EXPECT_EQ(copy.paused, 0);
}

TEST(CommandHandOver, AWindowThatComesLateIsWaitedFor) {
    FakeRunningCopy copy;
    copy.answers = {IRunningCopy::Answer::NoWindow, IRunningCopy::Answer::NoWindow, IRunningCopy::Answer::Taken};
    EXPECT_EQ(handOverCommand(copy, RemoteCommand::stop(), {2000, 50}), kExitHandedOver);
    EXPECT_EQ(copy.sent.size(), 3u);
    EXPECT_EQ(copy.paused, 100);
}

TEST(CommandHandOver, NoWindowWithinTheWaitFailsWithThree) {
    FakeRunningCopy copy;
    EXPECT_EQ(handOverCommand(copy, RemoteCommand::play(1), {2000, 50}), kExitNotHandedOver);
    EXPECT_EQ(copy.paused, 2000);
    EXPECT_EQ(copy.sent.size(), 41u);  // at 0, 50, ... 2000 ms
}

TEST(CommandHandOver, ARefusalIsNotRepeated) {
    FakeRunningCopy copy;
    copy.answers = {IRunningCopy::Answer::NotTaken, IRunningCopy::Answer::Taken};
    EXPECT_EQ(handOverCommand(copy, RemoteCommand::play(2)), kExitNotHandedOver);
    EXPECT_EQ(copy.sent.size(), 1u);
}

// --- The running copy's queue

class RemoteCommands : public FormFixture {
protected:
    const std::wstring intro = L"C:\\Jingles\\intro.wav";
    const std::wstring bed = L"C:\\Jingles\\bett.wav";
    void storeJingles() {
        store(L"Show", L"Text3", L"Intro");
        store(L"Show", L"Jingle3", intro);
        store(L"Show", L"Text5", L"Bett");
        store(L"Show", L"Jingle5", bed);
        files.addFile(intro);
        files.addFile(bed);
    }
    std::wstring log() const { return files.fileText(dataDir + L"KVLOG.LOG"); }
    static std::size_t count(const std::wstring& text, const std::wstring& part) {
        std::size_t n = 0;
        for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }
};

TEST_F(RemoteCommands, QueuedPlayRunsOnlyWithTheQueueAndThenAsTheFunctionKey) {
    storeJingles();
    auto& f = start();
    ASSERT_TRUE(f.queueRemoteCommand(RemoteCommand::play(3)));
    EXPECT_TRUE(player.opened.empty()) << "the command ran inside the queueing";
    f.runRemoteCommands();
    EXPECT_EQ(player.opened, std::vector<std::wstring>{intro});
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(f.slot(3).caption(), L">>");
    EXPECT_TRUE(f.slot(3).font().bold);
    EXPECT_TRUE(f.playerstatustimer.enabled());
    EXPECT_EQ(count(log(), L" intro.wav C:\\Jingles\\\r\n"), 1u);
    f.runRemoteCommands();  // ran once: the queue is empty now
    EXPECT_EQ(player.opened.size(), 1u);
}

TEST_F(RemoteCommands, PlayWhileAJinglePlaysStopsItAsTheKeyWould) {
    storeJingles();
    auto& f = start();
    f.SCExecute(5);
    f.queueRemoteCommand(RemoteCommand::play(3));
    f.runRemoteCommands();
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(player.opened, std::vector<std::wstring>{bed});
    EXPECT_EQ(f.slot(3).caption(), L">>");
    EXPECT_EQ(count(log(), L"intro.wav"), 1u);
}

TEST_F(RemoteCommands, StopIsASecondPressOfTheSlotThatPlays) {
    storeJingles();
    auto& f = start();
    f.SCExecute(5);
    ASSERT_TRUE(player.playing);
    f.queueRemoteCommand(RemoteCommand::stop());
    f.runRemoteCommands();
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(player.opened.size(), 1u) << "the stop started something";
    EXPECT_EQ(f.slot(5).caption(), L">>");
    EXPECT_EQ(f.slot(3).caption(), L"Intro") << "another slot was pressed";
    EXPECT_EQ(count(log(), L"bett.wav"), 2u) << "the stop is logged like a second press";
    // The monitor's next tick finishes up as after a second press.
    f.playerstatustimer.tick();
    EXPECT_EQ(f.slot(5).caption(), L"Bett");
    EXPECT_FALSE(f.playerstatustimer.enabled());
}

TEST_F(RemoteCommands, StopInTheTailAfterTheEndActionsStillStops) {
    storeJingles();
    auto& f = start();
    f.jingleendezeit.setValue(2000);
    f.SCExecute(3);
    player.positionMs = 29000;
    f.playerstatustimer.tick();  // the end actions ran, the jingle plays on
    ASSERT_TRUE(player.playing);
    ASSERT_EQ(f.slot(3).caption(), L"Intro");
    f.queueRemoteCommand(RemoteCommand::stop());
    f.runRemoteCommands();
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(f.slot(3).caption(), L">>");
}

TEST_F(RemoteCommands, StopWithNothingPlayingDoesNothing) {
    storeJingles();
    auto& f = start();
    f.SCExecute(3);
    f.SCExecute(3);  // stopped by its second press
    f.playerstatustimer.tick();
    const std::wstring before = log();
    f.queueRemoteCommand(RemoteCommand::stop());
    f.runRemoteCommands();
    EXPECT_EQ(player.opened.size(), 1u);
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(log(), before);
    EXPECT_EQ(f.slot(3).caption(), L"Intro");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RemoteCommands, CommandsBeforeTheFirstCategoryIsShownWaitForIt) {
    storeJingles();
    auto& f = create();
    ASSERT_TRUE(f.queueRemoteCommand(RemoteCommand::play(5)));
    f.runRemoteCommands();  // the window's posted run comes before the start timer
    EXPECT_TRUE(player.opened.empty());
    EXPECT_EQ(f.slot(5).caption(), L"- -");
    f.starttimer.tick();
    EXPECT_EQ(f.kategorie.text(), L"Show");
    EXPECT_EQ(player.opened, std::vector<std::wstring>{bed});
    EXPECT_EQ(f.slot(5).caption(), L">>");
}

TEST_F(RemoteCommands, WithoutCategoriesTheCommandAsksForOneAsTheKeyDoes) {
    auto& f = create();
    f.queueRemoteCommand(RemoteCommand::play(2));
    f.starttimer.tick();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, L"Bitte erst Kategorie anlegen!");
    EXPECT_TRUE(player.opened.empty());
}

TEST_F(RemoteCommands, CommandsRunInTheirOrder) {
    storeJingles();
    auto& f = start();
    f.queueRemoteCommand(RemoteCommand::play(5));
    f.queueRemoteCommand(RemoteCommand::stop());
    f.queueRemoteCommand(RemoteCommand::play(3));
    f.runRemoteCommands();
    EXPECT_EQ(player.opened, (std::vector<std::wstring>{bed, intro}));
    EXPECT_TRUE(player.playing);
}

TEST_F(RemoteCommands, TheQueueIsBounded) {
    auto& f = create();  // nothing runs before the start timer
    for (std::size_t i = 0; i < ui::TKavintamainform::kMaxQueuedCommands; ++i)
        EXPECT_TRUE(f.queueRemoteCommand(RemoteCommand::stop())) << i;
    EXPECT_FALSE(f.queueRemoteCommand(RemoteCommand::play(1)));
    f.starttimer.tick();
    EXPECT_TRUE(f.queueRemoteCommand(RemoteCommand::play(1))) << "the run emptied the queue";
}

TEST_F(RemoteCommands, ACommandThatComesWhileAMessageIsShownRunsAfterIt) {
    auto& f = start();  // no category: a press shows a message
    int runsInside = 0;
    dialogs.whileShowing = [&] {
        if (dialogs.messages.size() != 1) return;
        f.queueRemoteCommand(RemoteCommand::play(4));
        const std::size_t before = dialogs.messages.size();
        f.runRemoteCommands();  // the posted run, served by the box's loop
        if (dialogs.messages.size() != before) ++runsInside;
    };
    f.queueRemoteCommand(RemoteCommand::play(2));
    f.runRemoteCommands();
    EXPECT_EQ(runsInside, 0) << "the second command ran inside the first one's message";
    EXPECT_EQ(dialogs.messages.size(), 2u) << "the second command did not run after the first";
    f.queueRemoteCommand(RemoteCommand::play(1));
    f.runRemoteCommands();
    EXPECT_EQ(dialogs.messages.size(), 3u) << "the queue stays blocked after the nested run";
}

}  // namespace
