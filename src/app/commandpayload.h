#pragma once
// The command as it travels from a new process to the running copy: a tag that names the
// kind of data and a small fixed block. The running copy takes only this exact form.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "app/commandline.h"

namespace kv {

// The tag of a command block ("KVCM"); data under any other tag is not for us.
inline constexpr std::uintptr_t kCommandTag = 0x4B56434D;

// The block: the verb (1 play, 2 stop) and the slot (1..12 for play, 0 for stop), each a
// 32-bit value in the machine's own byte order (sender and receiver are the same program).
struct CommandPayload {
    std::uint32_t verb = 0;
    std::uint32_t slot = 0;
};
static_assert(sizeof(CommandPayload) == 8, "the block has a fixed size");

inline constexpr std::uint32_t kPayloadPlay = 1;
inline constexpr std::uint32_t kPayloadStop = 2;

CommandPayload encodeCommand(const RemoteCommand& command);

// The command in a received block, or nullopt when the tag is not ours, the size is not
// exactly the block's, the data is missing, or its values are not a command.
std::optional<RemoteCommand> decodeCommand(std::uintptr_t tag, const void* data, std::size_t size);

}  // namespace kv
