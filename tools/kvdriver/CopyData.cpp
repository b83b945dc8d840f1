#include "kvdriver/CopyData.h"

#include <chrono>

namespace kvdriver {

CopyDataAnswer sendCopyData(HWND window, ULONG_PTR tag, const void* data, DWORD size, Millis timeout) {
    COPYDATASTRUCT block{tag, size, const_cast<void*>(data)};
    DWORD_PTR result = 0;
    const auto begin = std::chrono::steady_clock::now();
    const LRESULT sent = SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block),
                                             SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result);
    CopyDataAnswer answer;
    answer.took = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - begin);
    answer.answered = sent != 0;
    answer.result = static_cast<LRESULT>(result);
    return answer;
}

}  // namespace kvdriver
