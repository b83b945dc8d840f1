#include "app/commandpayload.h"

#include <cstring>

namespace kv {

CommandPayload encodeCommand(const RemoteCommand& command) {
    if (command.verb == RemoteCommand::Verb::Play)
        return {kPayloadPlay, static_cast<std::uint32_t>(command.slot)};
    return {kPayloadStop, 0};
}

std::optional<RemoteCommand> decodeCommand(std::uintptr_t tag, const void* data, std::size_t size) {
    if (tag != kCommandTag || size != sizeof(CommandPayload) || data == nullptr) return std::nullopt;
    CommandPayload block;
    std::memcpy(&block, data, sizeof block);  // the sender's buffer need not be aligned
    if (block.verb == kPayloadPlay && block.slot >= 1 && block.slot <= 12)
        return RemoteCommand::play(static_cast<int>(block.slot));
    if (block.verb == kPayloadStop && block.slot == 0) return RemoteCommand::stop();
    return std::nullopt;
}

}  // namespace kv
