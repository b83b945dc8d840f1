#pragma once
// WM_COPYDATA sent to a window of another process, as another program would send it.
#include <windows.h>

#include "kvdriver/Wait.h"

namespace kvdriver {

struct CopyDataAnswer {
    bool answered = false;  // the window handled the message within the timeout
    LRESULT result = 0;     // its reply (TRUE: taken)
    Millis took{0};         // from the send until the reply
};

// Sends size bytes of data under tag and waits up to timeout for the reply.
CopyDataAnswer sendCopyData(HWND window, ULONG_PTR tag, const void* data, DWORD size,
                            Millis timeout = Millis{5000});

}  // namespace kvdriver
