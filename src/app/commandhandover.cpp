#include "app/commandhandover.h"

namespace kv {

int handOverCommand(IRunningCopy& copy, const RemoteCommand& command, HandOverTiming timing) {
    const int retry = timing.retryMs > 0 ? timing.retryMs : 1;
    for (int waited = 0;; waited += retry) {
        switch (copy.send(command)) {
            case IRunningCopy::Answer::Taken: return kExitHandedOver;
            case IRunningCopy::Answer::NotTaken: return kExitNotHandedOver;
            case IRunningCopy::Answer::NoWindow: break;
        }
        if (waited >= timing.windowWaitMs) return kExitNotHandedOver;
        copy.pause(retry);
    }
}

}  // namespace kv
