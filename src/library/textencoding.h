#pragma once
// The forms in which KV.ini and KVLOG.LOG lie on disk: UTF-16 or UTF-8 after a byte-order
// mark, or 8-bit text in the system's ANSI code page without one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/FileSystem.h"

namespace kv {

enum class TextForm { Utf16Le, Utf16Be, Utf8, Ansi };

struct DecodedText {
    TextForm form = TextForm::Ansi;
    std::wstring text;
};

// The form by the byte-order mark, and the text after it. Bytes without a mark are ANSI.
DecodedText decodeText(const std::vector<std::uint8_t>& bytes, const IFileSystem& files);

// The text in the form, with its byte-order mark; nothing for ANSI when the code page
// cannot hold a character of the text.
std::optional<std::vector<std::uint8_t>> encodeText(const std::wstring& text, TextForm form,
                                                    const IFileSystem& files);

std::vector<std::uint8_t> toUtf16LeWithMark(const std::wstring& text);

// UTF-8 and UTF-16 without a mark. Unpaired surrogates become U+FFFD.
std::vector<std::uint8_t> toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::vector<std::uint8_t>& bytes, std::size_t from = 0);

}  // namespace kv
