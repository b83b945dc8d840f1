#pragma once
// Single-instance guard: one running copy per executable file name in a user session.
#include "app/Texts.h"

namespace kv {

// Takes the named mutex of the executable's file name and keeps it until the process
// ends. When another copy already holds it, tells the operator and ends the process with
// exit code 0. Returns only when no other copy runs (or the file name is empty).
void CheckStartOnce(const kv::ITexts& texts);

// The same mutex without the message: true when this process holds it now (or the file name
// is empty), false when another copy holds it. The handle is kept either way.
bool TakeStartOnce();
// Lets go of the handle, so that a copy that is ending is not kept "running" by this one.
void ReleaseStartOnce();

// The file name (with extension, no folder) of the running executable, trimmed.
std::wstring startOnceMutexName();

}  // namespace kv
