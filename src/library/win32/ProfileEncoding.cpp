#include "library/win32/ProfileEncoding.h"

#include <windows.h>

#include <optional>
#include <string>

#include "app/win32/UniqueHandle.h"

namespace kv {

namespace {

enum class FileForm { Missing, Empty, Unicode, Ansi, Unreadable };

const char kUtf16LeMark[] = "\xFF\xFE";
const char kUtf16BeMark[] = "\xFE\xFF";
const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool startsWith(const std::string& bytes, const char* mark) {
    return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
}

UniqueHandle openForReading(const std::wstring& file, DWORD sharing) {
    return UniqueHandle(CreateFileW(file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The whole file, or only its first limit bytes.
std::optional<std::string> readBytes(HANDLE handle, std::size_t limit) {
    std::string bytes;
    char chunk[4096];
    while (bytes.size() < limit) {
        DWORD read = 0;
        if (!ReadFile(handle, chunk, sizeof chunk, &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        bytes.append(chunk, read);
    }
    if (bytes.size() > limit) bytes.resize(limit);
    return bytes;
}

FileForm formOf(const std::wstring& file) {
    const UniqueHandle handle = openForReading(file, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!handle) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? FileForm::Missing : FileForm::Unreadable;
    }
    const std::optional<std::string> start = readBytes(handle.get(), 3);
    if (!start) return FileForm::Unreadable;
    if (start->empty()) return FileForm::Empty;
    // UTF-8 with its mark holds every character as well.
    if (startsWith(*start, kUtf16LeMark) || startsWith(*start, kUtf16BeMark) || startsWith(*start, kUtf8Mark))
        return FileForm::Unicode;
    return FileForm::Ansi;
}

bool writeAll(HANDLE handle, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(handle, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool writeUtf16WithMark(HANDLE handle, const std::wstring& text) {
    return writeAll(handle, kUtf16LeMark, 2) && writeAll(handle, text.data(), text.size() * sizeof(wchar_t));
}

// A new file holding only the byte-order mark; an existing one counts as made.
bool createWithMark(const std::wstring& file) {
    const UniqueHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return GetLastError() == ERROR_FILE_EXISTS && formOf(file) == FileForm::Unicode;
    return writeUtf16WithMark(handle.get(), L"");
}

// Gives an empty file the byte-order mark, unless someone wrote to it meanwhile.
bool markEmptyFile(const std::wstring& file) {
    const UniqueHandle handle(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !GetFileSizeEx(handle.get(), &size)) return false;
    if (size.QuadPart != 0) return false;
    return writeUtf16WithMark(handle.get(), L"");
}

std::wstring fromAnsi(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return text;
}

std::string toAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    // Best-fit look-alikes would pass for the character; the default character is wanted.
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr,
                                         nullptr);
    if (size <= 0) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring folderOf(const std::wstring& file) {
    const std::size_t at = file.find_last_of(L"\\/");
    return at == std::wstring::npos ? std::wstring(L".") : file.substr(0, at);
}

// A new, empty file with a unique name in the folder of file.
std::wstring temporaryFileBeside(const std::wstring& file) {
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(folderOf(file).c_str(), L"KV", 0, name) == 0) return {};
    return name;
}

}  // namespace

bool ansiCanHold(const std::wstring& text) {
    if (GetACP() == CP_UTF8) return true;  // holds every character
    return fromAnsi(toAnsi(text)) == text;
}

bool convertAnsiToUtf16(const std::wstring& file) {
    std::optional<std::string> bytes;
    {
        // Nobody may write while the content is taken over; readers may go on.
        const UniqueHandle original = openForReading(file, FILE_SHARE_READ);
        if (!original) return false;
        bytes = readBytes(original.get(), static_cast<std::size_t>(-1));
    }
    if (!bytes) return false;
    const std::wstring text = fromAnsi(*bytes);
    if (!bytes->empty() && text.empty()) return false;

    const std::wstring temporary = temporaryFileBeside(file);
    if (temporary.empty()) return false;
    bool written = false;
    {
        const UniqueHandle target(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        written = target && writeUtf16WithMark(target.get(), text) && FlushFileBuffers(target.get());
    }
    if (written &&
        MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

bool prepareForText(const std::wstring& file, const std::wstring& text) {
    switch (formOf(file)) {
        case FileForm::Missing: return createWithMark(file);
        case FileForm::Empty: return markEmptyFile(file);
        case FileForm::Unicode: return true;
        case FileForm::Ansi: return ansiCanHold(text) || convertAnsiToUtf16(file);
        case FileForm::Unreadable: break;
    }
    return false;
}

}  // namespace kv
