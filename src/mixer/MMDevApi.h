#pragma once
// The identifiers of the Core Audio classes and interfaces the mixer uses, and the text
// form in which a session's grouping parameter names it.
#include <array>
#include <cstdint>
#include <string>

namespace kv::mixer {

// A GUID by its fields, as Windows lays it out; portable so that the session rules can be
// tested anywhere.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
    friend bool operator==(const Guid&, const Guid&) = default;
};

// Registry form: 38 characters, braces, upper-case hexadecimal, groups 8-4-4-4-12.
std::wstring guidText(const Guid& guid);

inline constexpr Guid CLSID_MMDeviceEnumerator{0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
inline constexpr Guid IID_IMMDeviceEnumerator{0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
inline constexpr Guid IID_IAudioEndpointVolume{0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
inline constexpr Guid IID_IAudioMeterInformation{0xC02216F6, 0x8C67, 0x4B5B, {0x9D, 0x00, 0xD0, 0x08, 0xE7, 0x3E, 0x00, 0x64}};
inline constexpr Guid IID_IAudioSessionManager2{0x77AA99A0, 0x1BD6, 0x484F, {0x8B, 0xC7, 0x2C, 0x65, 0x4C, 0x9A, 0x9B, 0x6F}};
inline constexpr Guid IID_IAudioSessionControl2{0xBFB7FF88, 0x7239, 0x4FC9, {0x8F, 0xA2, 0x07, 0xC9, 0x50, 0xBE, 0x9C, 0x6D}};
inline constexpr Guid IID_ISimpleAudioVolume{0x87CE5498, 0x68D6, 0x44E5, {0x92, 0x15, 0x6D, 0xA4, 0x7E, 0xF8, 0x83, 0xD8}};

// Core Audio's constants for the calls of the session walk.
inline constexpr int kCoreAudioRender = 0;     // eRender
inline constexpr int kCoreAudioConsole = 0;    // eConsole
inline constexpr unsigned kClsctxInprocServer = 0x1;
inline constexpr unsigned kClsctxAll = 0x17;

}  // namespace kv::mixer
