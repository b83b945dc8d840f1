#pragma once
// Single-instance guard: one running copy per executable file name in a user session.
#include "app/Texts.h"

namespace kv {

// Takes the named mutex of the executable's file name and keeps it until the process
// ends. When another copy already holds it, tells the operator and ends the process with
// exit code 0. Returns only when no other copy runs (or the file name is empty).
void CheckStartOnce(const kv::ITexts& texts);

// The file name (with extension, no folder) of the running executable, trimmed.
std::wstring startOnceMutexName();

}  // namespace kv
