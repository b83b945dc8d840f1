#pragma once
// Under Wine, CreateProcessW fails with ERROR_INTERNAL_ERROR when the new process ended
// before it had finished starting up, before any code of the program ran: Wine's own start
// of a process (the fork and exec of its loader, the loader's address-space reservations)
// failed. It is rare and passes: a second attempt a moment later starts normally.
// Process::launch starts through startRetryingWineFailure and notes a retry on stderr.
#include <windows.h>

#include <functional>

namespace kvdriver {

inline constexpr DWORD kWineStartupFailed = ERROR_INTERNAL_ERROR;

// Runs attempt() (0: started, else its error); when that failed with kWineStartupFailed,
// calls beforeRetry with the error and attempts once more. Returns the last attempt's result.
DWORD startRetryingWineFailure(const std::function<DWORD()>& attempt, const std::function<void(DWORD)>& beforeRetry);

}  // namespace kvdriver
