// The Win32 side of the external player control: the session walk over real Core Audio,
// and the window messages with their bounded wait.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "mixer/mixer_unit.h"
#include "mixer/win32/CoreAudioSessionSource.h"
#include "remote/win32/Win32WindowMessages.h"
#include "ui/controls/ComboBox.h"

namespace {

using namespace kv;

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class Apartment {
public:
    Apartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~Apartment() {
        if (ok_) CoUninitialize();
    }

private:
    bool ok_;
};

TEST(CoreAudioMixer, SessionWalkListsWhatItVisitsAndUnderWineTakesTheFailurePath) {
    const Apartment com;
    mixer::win32::CoreAudioSessionSource source;
    const mixer::TMixer mixer(source, ui::compareTextIgnoreCase);
    mixer::MixerList list;
    std::int32_t value = 17;
    const bool listed = mixer.Mixer(mixer::RMixerAktion::mixerListing, &list, L"", value);
    EXPECT_EQ(listed, !list.empty());
    EXPECT_EQ(value, 17);
    EXPECT_FALSE(mixer.Mixer(mixer::RMixerAktion::mixerGet, nullptr, L"no such session here", value));
    EXPECT_EQ(value, 17);
    if (underWine()) {
        // Wine 8 has the default endpoint but no session enumerator: nothing is visited,
        // and no window comes up.
        const auto device = source.defaultRenderDevice();
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->sessions(), nullptr);
        EXPECT_FALSE(listed);
        EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr);
    }
}

// The master volume is read through the default endpoint's volume object, which the real
// activation must give; the mixer passes on exactly what the endpoint reports.
TEST(CoreAudioMixer, MasterVolumeIsTheDefaultEndpointsLevel) {
    const Apartment com;
    mixer::win32::CoreAudioSessionSource source;
    const mixer::TMixer mixer(source, ui::compareTextIgnoreCase);
    const auto device = source.defaultRenderDevice();
    ASSERT_NE(device, nullptr) << "no default render endpoint";
    const auto volume = device->endpointVolume();
    ASSERT_NE(volume, nullptr) << "IAudioEndpointVolume was not activated";
    const std::optional<float> level = volume->masterVolumeLevelScalar();
    ASSERT_TRUE(level.has_value()) << "GetMasterVolumeLevelScalar failed";
    EXPECT_GE(*level, 0.0f);
    EXPECT_LE(*level, 1.0f);
    EXPECT_FLOAT_EQ(mixer.GetMasterVolumeScalar(), *level);
}

// A receiver on its own thread that answers 42 and, for message WM_APP + 1, stops answering
// for two seconds.
class Receiver {
public:
    static constexpr UINT kAnswer = WM_APP;
    static constexpr UINT kHang = WM_APP + 1;

    Receiver() {
        thread_ = std::thread([this] { run(); });
        while (!window_.load()) Sleep(5);
    }
    ~Receiver() {
        PostMessageW(window_.load(), WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND window() const { return window_.load(); }

private:
    static LRESULT CALLBACK proc(HWND h, UINT m, WPARAM w, LPARAM l) noexcept {
        if (m == kAnswer) return 42;
        if (m == kHang) {
            Sleep(2000);
            return 1;
        }
        if (m == WM_CLOSE) {
            DestroyWindow(h);
            return 0;
        }
        if (m == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(h, m, w, l);
    }
    void run() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvFadeReceiverTest";
        RegisterClassW(&wc);
        HWND h = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        window_.store(h);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    }

    std::atomic<HWND> window_{nullptr};
    std::thread thread_;
};

TEST(Win32WindowMessages, FindsSendsAndGivesUpOnAReceiverThatStopsAnswering) {
    Receiver receiver;
    remote::win32::Win32WindowMessages messages;
    const auto window = messages.findWindow(L"KvFadeReceiverTest");
    ASSERT_EQ(window, reinterpret_cast<remote::WindowHandle>(receiver.window()));
    EXPECT_EQ(messages.findWindow(L"KvNoSuchClass"), 0u);
    EXPECT_EQ(messages.send(window, Receiver::kAnswer, 0, 0, 1000), std::optional<std::intptr_t>(42));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(messages.send(window, Receiver::kHang, 0, 0, 300).has_value());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::milliseconds(1500));
    EXPECT_FALSE(messages.send(0, Receiver::kAnswer, 0, 0, 100).has_value());

    // A window faded earlier is known by its class while it is there.
    EXPECT_TRUE(messages.isWindowOfClass(window, L"KvFadeReceiverTest"));
    EXPECT_FALSE(messages.isWindowOfClass(window, L"Winamp v1.x"));
    EXPECT_FALSE(messages.isWindowOfClass(0, L"KvFadeReceiverTest"));
    const long long before = messages.nowMs();
    Sleep(30);
    EXPECT_GE(messages.nowMs() - before, 25);
}

}  // namespace
