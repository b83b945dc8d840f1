#include "playback/PreloadPlan.h"

#include <algorithm>

namespace kv {

std::size_t framesToKeep(std::size_t shareBytes, int headSeconds, AudioFormat output, std::int64_t durationMs) {
    if (output.sampleRate <= 0 || output.channels <= 0) return 0;
    const std::size_t shareFrames = shareBytes / (static_cast<std::size_t>(output.channels) * sizeof(float));
    if (durationMs > 0) {
        // One frame more than the declared length, which a decoder may round down.
        const auto whole = static_cast<std::uint64_t>(durationMs) * static_cast<std::uint64_t>(output.sampleRate) / 1000 + 1;
        if (whole <= shareFrames) return shareFrames;
    }
    const std::size_t head = static_cast<std::size_t>(std::max(headSeconds, 0)) * static_cast<std::size_t>(output.sampleRate);
    return std::min(head, shareFrames);
}

PreloadPlan::PreloadPlan(PreloadLimits limits) : limits_(limits) {}

PreloadPlan::Entry* PreloadPlan::find(const std::wstring& file) {
    const auto it = entries_.find(file);
    return it == entries_.end() ? nullptr : &it->second;
}

const PreloadPlan::Entry* PreloadPlan::find(const std::wstring& file) const {
    const auto it = entries_.find(file);
    return it == entries_.end() ? nullptr : &it->second;
}

std::vector<std::wstring> PreloadPlan::setFiles(const std::vector<std::wstring>& files) {
    std::vector<std::wstring> order;
    for (const std::wstring& file : files)
        if (!file.empty() && std::find(order.begin(), order.end(), file) == order.end()) order.push_back(file);
    order_ = std::move(order);

    std::vector<std::wstring> dropped;
    std::map<std::wstring, Entry> entries;
    for (const std::wstring& file : order_) {
        Entry entry;
        if (const auto it = entries_.find(file); it != entries_.end()) {
            entry = it->second;
            entries_.erase(it);
        }
        entries.emplace(file, entry);
    }
    for (const auto& [file, entry] : entries_)
        if (entry.state == State::Prepared) dropped.push_back(file);
    entries_ = std::move(entries);

    // More files share the budget now: what holds more than its new share makes room.
    const std::size_t share = shareBytes();
    for (auto& [file, entry] : entries_) {
        if (entry.state != State::Prepared || entry.bytes <= share) continue;
        dropped.push_back(file);
        entry = Entry{};
    }
    return dropped;
}

std::optional<std::wstring> PreloadPlan::next() const {
    for (const std::wstring& file : order_)
        if (find(file)->state == State::Wanted) return file;
    return std::nullopt;
}

std::size_t PreloadPlan::shareBytes() const {
    return limits_.budgetBytes / std::max<std::size_t>(order_.size(), 1);
}

void PreloadPlan::begin(const std::wstring& file) {
    if (Entry* entry = find(file); entry && entry->state == State::Wanted) entry->state = State::Preparing;
}

bool PreloadPlan::prepared(const std::wstring& file, FileStamp version, std::size_t bytes) {
    Entry* entry = find(file);
    if (!entry || entry->state != State::Preparing) return false;
    if (bytes > shareBytes()) {
        *entry = Entry{};  // the share shrank meanwhile: prepared again within the new one
        return false;
    }
    *entry = Entry{State::Prepared, version, bytes};
    return true;
}

void PreloadPlan::failed(const std::wstring& file, std::optional<FileStamp> version) {
    if (Entry* entry = find(file); entry && entry->state == State::Preparing) *entry = Entry{State::Failed, version, 0};
}

bool PreloadPlan::usable(const std::wstring& file, std::optional<FileStamp> onDisk) {
    Entry* entry = find(file);
    if (!entry || (entry->state != State::Prepared && entry->state != State::Failed)) return false;
    if (entry->version == onDisk) return entry->state == State::Prepared;
    *entry = Entry{};  // changed since: prepared again from its new content
    return false;
}

std::vector<std::wstring> PreloadPlan::restart() {
    std::vector<std::wstring> dropped;
    for (auto& [file, entry] : entries_) {
        if (entry.state == State::Prepared) dropped.push_back(file);
        entry = Entry{};
    }
    return dropped;
}

std::size_t PreloadPlan::bytesHeld() const {
    std::size_t bytes = 0;
    for (const auto& [file, entry] : entries_)
        if (entry.state == State::Prepared) bytes += entry.bytes;
    return bytes;
}

bool PreloadPlan::isPrepared(const std::wstring& file) const {
    const Entry* entry = find(file);
    return entry && entry->state == State::Prepared;
}

bool PreloadPlan::isPreparing(const std::wstring& file) const {
    const Entry* entry = find(file);
    return entry && entry->state == State::Preparing;
}

}  // namespace kv
