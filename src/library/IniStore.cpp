#include "library/IniStore.h"

#include "library/textencoding.h"

namespace kv {

bool IniStore::apply(const std::wstring& file, const std::vector<SectionWrite>& writes) {
    if (files_.isReadOnly(file)) return false;
    const std::unique_ptr<FileLock> lock = locks_.acquire(file, kFileLockWaitMs);
    if (!lock) return false;
    const FileContent content = files_.readFile(file, kWholeFile);
    if (content.access == FileAccess::Unreadable) return false;
    DecodedText decoded{TextForm::Utf16Le, L""};
    if (!content.bytes.empty()) decoded = decodeText(content.bytes, files_);

    IniDocument document(std::move(decoded.text), sameName_);
    for (const SectionWrite& write : writes) document.apply(write);
    std::optional<std::vector<std::uint8_t>> bytes;
    if (decoded.form == TextForm::Utf16Le) {
        bytes = document.utf16LeWithMark();
    } else {
        const std::wstring text = document.text();
        bytes = encodeText(text, decoded.form, files_);
        if (!bytes) bytes = toUtf16LeWithMark(text);  // the code page cannot hold it
    }

    const std::wstring temporary = files_.writeTemporaryBeside(file, *bytes);
    if (temporary.empty()) return false;
    if (files_.replaceFile(temporary, file)) return true;
    files_.deleteFile(temporary);
    return false;
}

}  // namespace kv
