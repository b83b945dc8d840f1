#include "app/commandline.h"

#include "app/strutil.h"

namespace kv {

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// "1" ... "12", also with one leading zero; -1 for anything else.
int slotNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 2) return -1;
    int value = 0;
    for (const wchar_t c : text) {
        if (!isDigit(c)) return -1;
        value = value * 10 + (c - L'0');
    }
    return value >= 1 && value <= 12 ? value : -1;
}

CommandLine invalid() { return {CommandLine::Kind::Invalid, {}}; }
CommandLine command(const RemoteCommand& c) { return {CommandLine::Kind::Command, c}; }

}  // namespace

CommandLine parseCommandLine(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return {};
    const std::wstring& verb = arguments[0];
    if (equalsIgnoreCase(verb, L"/stop")) return arguments.size() == 1 ? command(RemoteCommand::stop()) : invalid();
    if (equalsIgnoreCase(verb, L"/play")) {
        if (arguments.size() != 2) return invalid();
        const int slot = slotNumber(arguments[1]);
        return slot > 0 ? command(RemoteCommand::play(slot)) : invalid();
    }
    return invalid();
}

}  // namespace kv
