#pragma once
// The program's command line: nothing, "/play N" (N 1 to 12) or "/stop". A command given
// while a copy runs is handed to that copy; without one the new copy starts and runs it.
#include <string>
#include <vector>

namespace kv {

// A command for the running copy: fire slot 1..12 as its function key does, or stop the
// jingle that plays as a second press of its key does.
struct RemoteCommand {
    enum class Verb { Play, Stop };
    Verb verb = Verb::Stop;
    int slot = 0;  // 1..12 for Play, 0 for Stop

    static RemoteCommand play(int slot) { return {Verb::Play, slot}; }
    static RemoteCommand stop() { return {Verb::Stop, 0}; }
    bool operator==(const RemoteCommand&) const = default;
};

struct CommandLine {
    enum class Kind {
        None,     // no arguments: the ordinary start
        Command,  // one well-formed command
        Invalid,  // anything else: the usage is shown and nothing runs
    };
    Kind kind = Kind::None;
    RemoteCommand command;
};

// Exit codes of a process started with arguments.
inline constexpr int kExitHandedOver = 0;    // the running copy took the command
inline constexpr int kExitUsage = 2;         // unknown or malformed arguments
inline constexpr int kExitNotHandedOver = 3; // a copy runs but did not take the command

// The arguments after the program's own name. Switches are case-insensitive and begin
// with "/"; N is one or two decimal digits with a value of 1 to 12 ("03" is slot 3).
// Every other form, an extra argument included, is invalid.
CommandLine parseCommandLine(const std::vector<std::wstring>& arguments);

}  // namespace kv
