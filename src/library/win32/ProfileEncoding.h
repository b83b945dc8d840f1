#pragma once
// The form in which KV.ini lies on disk. The profile functions keep a file that begins
// with a UTF-16 byte-order mark in UTF-16 and any other file in the system's ANSI code
// page, where a character the code page lacks would be written as '?' or a look-alike.
#include <string>

namespace kv {

// Makes file ready for a write of text through the profile functions: a missing or empty
// file gets the UTF-16LE byte-order mark (a new file, written in UTF-16 from the start),
// and an ANSI file that cannot hold text is converted to UTF-16LE first. False when the
// file could not be made ready; then nothing may be written to it.
bool prepareForText(const std::wstring& file, const std::wstring& text);

// True when every character of text comes back unchanged through the ANSI code page.
bool ansiCanHold(const std::wstring& text);

// Rewrites an ANSI file as UTF-16LE with byte-order mark, every character of it kept. The
// new content goes to a temporary file in the same folder, which then replaces the
// original in one step: the file is never left half-written.
bool convertAnsiToUtf16(const std::wstring& file);

}  // namespace kv
