// Commands from other programs: "/play N" fires slot N as its function key does, "/stop"
// is a second press of the key whose jingle plays. They are queued so that the program
// that sent one never waits for a jingle or a fade.
#include "app/ScopedFlag.h"
#include "ui/MainUnit.h"

namespace kv::ui {

bool TKavintamainform::queueRemoteCommand(const RemoteCommand& command) {
    if (remoteCommands_.size() >= kMaxQueuedCommands) return false;
    remoteCommands_.push_back(command);
    return true;
}

// A command may open a message box, whose loop can bring the next command: that one waits
// in the queue for the run already under way instead of starting a run of its own.
void TKavintamainform::runRemoteCommands() {
    if (!startShown_ || runningRemoteCommands_) return;
    const ScopedFlag running(runningRemoteCommands_);
    while (!remoteCommands_.empty()) {
        const RemoteCommand command = remoteCommands_.front();
        remoteCommands_.pop_front();
        runRemoteCommand(command);
    }
}

// While a jingle plays, the slot pressed last is the one that started it (any other press
// would have stopped it); with nothing playing a press would start a jingle, so "/stop"
// then does nothing.
void TKavintamainform::runRemoteCommand(const RemoteCommand& command) {
    if (command.verb == RemoteCommand::Verb::Play) {
        SCExecute(command.slot);
        return;
    }
    if (s_.player.mode() == MediaMode::Playing && lastPressedSlot_ >= 1) SCExecute(lastPressedSlot_);
}

}  // namespace kv::ui
