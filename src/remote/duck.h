#pragma once
// A duck: a player that Kavinta has turned down and not yet brought back, with the level it
// had before Kavinta touched it, on its own scale, and the level the fade-out leaves it at.
// A duck is kept in KV.ini while it is in effect, so that a start after a crash can still
// bring the music back.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "remote/WindowMessages.h"

namespace kv::remote {

enum class PlayerKind : std::uint8_t { companion, winamp, mixer };

struct Duck {
    PlayerKind kind = PlayerKind::companion;
    WindowHandle window = 0;  // Winamp: the window that was faded
    std::wstring guid;        // mixer: the session's GUID text (may be empty)
    std::wstring name;        // mixer: the session's display name
    std::int32_t level = -1;  // before Kavinta touched it; the companion's is not known (-1)
    std::int32_t left = -1;   // where the fade-out leaves it
    friend bool operator==(const Duck&, const Duck&) = default;
};

// The same player: the one companion, the same Winamp window, the same mixer session (by
// GUID text where both have one, else by display name; both ignoring case).
bool samePlayer(const Duck& a, const Duck& b);

// One duck as one line of text and back; nothing for a line that is not a duck.
std::wstring duckRecordText(const Duck& duck);
std::optional<Duck> parseDuckRecord(const std::wstring& text);

// Where the ducks in effect are kept between runs.
class IDuckStore {
public:
    virtual ~IDuckStore() = default;
    virtual std::vector<Duck> load() = 0;
    virtual void save(const std::vector<Duck>& ducks) = 0;  // replaces what was kept
};

// Why a player could not be brought back.
struct NotRestored {
    Duck duck;
    bool gone = false;  // the window or session is not there (else: it did not answer)
};

}  // namespace kv::remote
