#include "playback/SlotLoudness.h"

#include <cstdio>
#include <cwchar>
#include <utility>

namespace kv {

namespace {

std::wstring key(const wchar_t* name, int slot) { return name + std::to_wstring(slot); }

std::wstring decimal(double value, int places) {
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%.*f", places, value);
    return text;
}

std::optional<double> parseDecimal(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return value;
}

// "size,time" in decimal.
std::optional<FileStamp> parseStamp(const std::wstring& text) {
    const std::size_t comma = text.find(L',');
    if (comma == std::wstring::npos || comma == 0 || comma + 1 >= text.size()) return std::nullopt;
    const auto number = [](const std::wstring& digits) -> std::optional<std::uint64_t> {
        if (digits.empty() || digits.find_first_not_of(L"0123456789") != std::wstring::npos || digits.size() > 19)
            return std::nullopt;
        return std::wcstoull(digits.c_str(), nullptr, 10);
    };
    const auto size = number(text.substr(0, comma));
    const auto time = number(text.substr(comma + 1));
    if (!size || !time) return std::nullopt;
    return FileStamp{*size, *time};
}

}  // namespace

IniEntries slotLoudnessEntries(int slot, const SlotLoudness& loudness) {
    return {{key(L"Lautheit", slot), decimal(loudness.reading.integratedLufs, 2)},
            {key(L"Spitze", slot), decimal(loudness.reading.samplePeak, 6)},
            {key(L"Dateistand", slot),
             std::to_wstring(loudness.stamp.size) + L"," + std::to_wstring(loudness.stamp.writeTime)}};
}

std::optional<SlotLoudness> readSlotLoudness(const IniSection& section, int slot, const std::wstring& file) {
    const auto lufs = parseDecimal(section.readString(key(L"Lautheit", slot), L""));
    const auto peak = parseDecimal(section.readString(key(L"Spitze", slot), L""));
    const auto stamp = parseStamp(section.readString(key(L"Dateistand", slot), L""));
    if (!lufs || !peak || !stamp || *peak < 0) return std::nullopt;
    return SlotLoudness{file, *stamp, {*lufs, static_cast<float>(*peak)}};
}

void LoudnessInbox::setWake(std::function<void()> wake) {
    const std::lock_guard lock(mutex_);
    wake_ = std::move(wake);
}

void LoudnessInbox::put(Result result) {
    std::function<void()> wake;
    {
        const std::lock_guard lock(mutex_);
        if (closed_) return;
        results_.push_back(std::move(result));
        wake = wake_;
    }
    if (wake) wake();
}

std::vector<LoudnessInbox::Result> LoudnessInbox::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(results_, {});
}

void LoudnessInbox::close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    wake_ = nullptr;
    results_.clear();
}

}  // namespace kv
