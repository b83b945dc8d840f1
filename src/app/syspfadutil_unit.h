#pragma once
// Finds the data folder: an existing writable per-user or all-users folder, or a newly
// created per-user one.
#include <string>

#include "app/FileSystem.h"
#include "app/Dialogs.h"
#include "app/Texts.h"

namespace kv {

struct DataPathServices {
    const IEnvironment& environment;
    IFileSystem& files;
    kv::IDialogs& dialogs;
    const kv::ITexts& texts;
};

std::wstring GetAppDataPath(const DataPathServices& s);
std::wstring GetAllUsersProfilePath(const DataPathServices& s);
bool IsPathWritable(IFileSystem& files, const std::wstring& folder);
bool CreatePath(IFileSystem& files, const std::wstring& folder);
// The chosen folder without a trailing backslash, or empty when none qualifies.
std::wstring GetDataPath(const DataPathServices& s, const std::wstring& name, bool create);

}  // namespace kv
