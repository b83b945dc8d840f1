#pragma once
// Handing a command to the copy that runs already. The start-once mutex says that a copy
// runs; its main window may not exist yet when that copy has only just started, so the
// window is looked for again for a bounded time before the hand-over counts as failed.
#include "app/commandline.h"

namespace kv {

// The running copy as a new process reaches it.
class IRunningCopy {
public:
    enum class Answer {
        NoWindow,  // no main window of the running copy (yet)
        Taken,     // the window took the command
        NotTaken,  // the window refused it or did not answer in time
    };
    virtual ~IRunningCopy() = default;
    virtual Answer send(const RemoteCommand& command) = 0;
    virtual void pause(int milliseconds) = 0;  // between two looks for the window
};

struct HandOverTiming {
    int windowWaitMs = 2000;  // how long a missing window is waited for
    int retryMs = 50;         // the pause between two looks
};

// Sends command, looking for the window again while there is none; the exit code of the
// new process: kExitHandedOver when the copy took it, else kExitNotHandedOver. A window
// that refuses or does not answer is not asked again.
int handOverCommand(IRunningCopy& copy, const RemoteCommand& command, HandOverTiming timing = {});

}  // namespace kv
