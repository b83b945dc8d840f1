#include "ui/win32/ModalLoops.h"

#include <exception>
#include <string>

#include "ui/win32/PaintBatch.h"

namespace kv::ui::win32 {

namespace {
unsigned modalLoops = 0;  // user-interface thread only

std::wstring fromUtf8(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}
}  // namespace

unsigned modalLoopCount() noexcept { return modalLoops; }
void noteModalLoop() noexcept {
    ++modalLoops;
    finishActivePaintBatch();  // the window behind the dialog must paint
}

void reportCurrentException(HWND owner) noexcept {
    try {
        throw;
    } catch (const std::exception& error) {
        try {
            const std::wstring text = fromUtf8(error.what());
            noteModalLoop();
            // The product name, as the platform's own error box shows the application title.
            MessageBoxW(owner, text.c_str(), L"Kavinta", MB_OK | MB_ICONERROR);
        } catch (...) {
        }
    } catch (...) {
        // Nothing that could be shown: swallowed so that the message loop goes on.
    }
}

}  // namespace kv::ui::win32
