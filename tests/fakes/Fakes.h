#pragma once
// Test doubles of the platform services the main window works with.
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Clock.h"
#include "app/FileSystem.h"
#include "app/os_api_unit.h"
#include "playback/MediaPlayer.h"
#include "app/Dialogs.h"
#include "playback/MediaKinds.h"
#include "ui/FormHost.h"
#include "ui/HotKeys.h"

namespace kv::test {

class FakeEnvironment final : public IEnvironment {
public:
    std::map<std::wstring, std::wstring> values;
    std::wstring variable(const std::wstring& name) const override {
        auto it = values.find(name);
        return it == values.end() ? std::wstring{} : it->second;
    }
};

// Folders and files by path, ignoring case and a trailing backslash, as Windows paths do.
class FakeFileSystem : public IFileSystem {
public:
    bool directoryExists(const std::wstring& path) const override;
    bool fileExists(const std::wstring& path) const override;
    FileAccess readAccess(const std::wstring& path) const override;
    bool createDirectories(const std::wstring& path) override;
    bool writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
    bool deleteFile(const std::wstring& path) override;
    bool isReadOnly(const std::wstring& path) const override { return readOnlyFiles.count(key(path)) > 0; }
    FileContent readFile(const std::wstring& path, std::size_t limit) const override;
    std::wstring writeTemporaryBeside(const std::wstring& beside, const std::vector<std::uint8_t>& bytes) override;
    bool replaceFile(const std::wstring& from, const std::wstring& to) override;
    bool appendBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
    // The code page is Latin-1: U+0000 to U+00FF, one byte each.
    std::optional<std::string> toAnsi(const std::wstring& text) const override;
    std::wstring fromAnsi(const std::string& bytes) const override;
    // The size of the content, and a time that every addFile and touch() moves on.
    std::optional<FileStamp> fileStamp(const std::wstring& path) const override;
    void touch(const std::wstring& path) { times_[key(path)] = ++clock_; }

    void addDirectory(const std::wstring& path);  // with its parents
    void setReadOnly(const std::wstring& folder);  // nothing can be created in it
    void addFile(const std::wstring& path, const std::wstring& text = L"");
    std::wstring fileText(const std::wstring& path) const;  // each byte one character
    std::vector<std::uint8_t> fileBytes(const std::wstring& path) const;
    void addFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
    std::vector<std::wstring> filesIn(const std::wstring& folder) const;
    // Another program holds the file without sharing it for this many read checks
    // (-1: for good).
    void holdFile(const std::wstring& path, int checks) { held_[key(path)] = checks; }
    int createCalls = 0;
    int writeCalls = 0;
    bool failAppends = false;
    bool failReplace = false;            // the step from the temporary file to the file fails
    bool failTemporaryWrites = false;    // a full disk: no temporary file can be written
    std::set<std::wstring> readOnlyFiles;  // by key()
    int replaceCalls = 0;
    mutable int fullReads = 0;  // reads of a whole file by the code under test

private:
public:
    static std::wstring key(const std::wstring& path);

private:
    bool canWriteIn(const std::wstring& path) const;
    std::set<std::wstring> dirs_;
    std::set<std::wstring> readOnly_;
    std::map<std::wstring, std::wstring> files_;
    mutable std::map<std::wstring, int> held_;
    std::map<std::wstring, std::uint64_t> times_;
    std::uint64_t clock_ = 0;
    int temporaries_ = 0;
};

struct ShownMessage {
    kv::MessageType type;
    std::wstring text;
};

// Records every dialog and answers from scripted queues (Cancel / No when a queue is empty).
class FakeDialogs final : public kv::IDialogs {
public:
    std::vector<ShownMessage> messages;
    std::vector<std::wstring> confirmations;
    struct Query {
        std::wstring caption, prompt, initial;
    };
    std::vector<Query> queries;
    std::vector<std::wstring> openInitialDirs;
    std::vector<std::wstring> openFilters;

    std::deque<bool> confirmAnswers;
    std::deque<std::function<bool(std::wstring&)>> queryAnswers;
    std::deque<std::wstring> openAnswers;  // empty string: Cancel

    void answerQuery(std::wstring text) {
        queryAnswers.push_back([text](std::wstring& value) { value = text; return true; });
    }
    void acceptQuery() {
        queryAnswers.push_back([](std::wstring&) { return true; });
    }
    void cancelQuery() {
        queryAnswers.push_back([](std::wstring&) { return false; });
    }

    // Runs while a message is shown, as the box's own message loop would serve other messages.
    std::function<void()> whileShowing;

    void showMessage(kv::MessageType type, const std::wstring& text) override {
        messages.push_back({type, text});
        if (whileShowing) whileShowing();
    }
    bool confirm(const std::wstring& text) override;
    bool inputQuery(const std::wstring& caption, const std::wstring& prompt, std::wstring& value) override;
    bool openFile(const std::wstring& filter, const std::wstring& initialDir, std::wstring& fileName) override;
};

// A media player whose device "plays" until the test says it has ended.
class FakeMediaPlayer final : public IMediaPlayer {
public:
    std::vector<std::wstring> opened;
    int closeCalls = 0;
    int playCalls = 0;
    int failOpenWith = 0;  // MCI error number for the next opens, 0 = success
    std::wstring failText = L"device failed";
    std::int32_t lengthMs = 30000;
    std::int32_t positionMs = 0;
    bool playing = false;

    void close() override {
        ++closeCalls;
        playing = false;
        open_ = false;
    }
    bool open(const std::wstring& fileName) override;
    bool play() override {
        ++playCalls;
        if (!open_) return false;
        playing = true;
        return true;
    }
    MediaMode mode() const override { return playing ? MediaMode::Playing : (open_ ? MediaMode::Stopped : MediaMode::NotReady); }
    std::int32_t position() const override { return positionMs; }
    std::int32_t length() const override { return lengthMs; }
    int error() const override { return error_; }
    std::wstring errorMessage() const override { return error_ ? failText : L""; }

private:
    bool open_ = false;
    int error_ = 0;
};

class FakeClock final : public IClock {
public:
    LocalTime time{2024, 3, 5, 14, 7, 9, 0};
    std::wstring separator = L":";
    int readings = 0;
    // The times the next readings give, one each, before `time` stands again: a clock that
    // moves on between two readings.
    std::deque<LocalTime> upcoming;
    LocalTime now() const override {
        auto& self = *const_cast<FakeClock*>(this);
        ++self.readings;
        if (!self.upcoming.empty()) {
            self.time = self.upcoming.front();
            self.upcoming.pop_front();
        }
        return time;
    }
    std::wstring timeSeparator() const override { return separator; }
    void sleep(int milliseconds) const override { sleeps.push_back(milliseconds); }
    mutable std::vector<int> sleeps;
    void advanceSeconds(int seconds);
};

class FakeRandom final : public IRandom {
public:
    std::deque<int> draws;  // consumed in order; 1 when empty
    int seeds = 0;
    void seed() override { ++seeds; }
    int draw(int n) override;
};

class FakeVersionSource final : public IVersionSource {
public:
    std::optional<FileVersion> version = FileVersion{1, 0, 0, 0};
    std::wstring error = L"no version resource";
    std::optional<FileVersion> fileVersion(std::wstring& errorText) const override {
        if (!version) errorText = error;
        return version;
    }
};

// System-wide hot keys by slot; the slots in `taken` are held by another program.
class FakeHotKeys final : public ui::IHotKeys {
public:
    std::set<int> registered;
    std::set<int> taken;
    int unregisterCalls = 0;
    bool registerKey(int slot) override {
        if (taken.count(slot)) return false;
        registered.insert(slot);
        return true;
    }
    void unregisterAll() override {
        ++unregisterCalls;
        registered.clear();
    }
};

// The extensions (upper case, no dot) the system names an MCI device for.
class FakeMciExtensions final : public IMciExtensions {
public:
    std::set<std::wstring> extensions;
    bool registered(const std::wstring& extension) const override { return extensions.count(extension) > 0; }
};

class FakeFormHost final : public ui::IFormHost {
public:
    std::wstring caption;
    bool visible = false;
    bool topmost = false;
    int topmostCalls = 0;
    int clientHeightValue = 471;
    int terminateRequests = 0;
    void setCaption(const std::wstring& c) override { caption = c; }
    bool isVisible() const override { return visible; }
    void setTopmost(bool t) override {
        topmost = t;
        ++topmostCalls;
    }
    int clientHeight() const override { return clientHeightValue; }
    void setClientHeight(int h) override { clientHeightValue = h; }
    int ppi = 96;  // the window's current scaling
    int outerHeight() const override { return (clientHeightValue + 30) * ppi / 96; }
    int pixelsPerInch() const override { return ppi; }
    void requestTerminate() override { ++terminateRequests; }
    void repaintNow() override {}
    int inputDiscards = 0;
    void discardPendingInput() override { ++inputDiscards; }
    int updateDepth = 0;
    int updates = 0;  // outermost holds
    void beginUpdate() override {
        if (updateDepth++ == 0) ++updates;
    }
    void endUpdate() override { --updateDepth; }
    ui::IPlacedForm* placed = nullptr;  // none: the window cannot be placed
    const ui::IMonitors* screens = nullptr;
    ui::IPlacedForm* placement() override { return placed; }
    const ui::IMonitors* monitors() const override { return screens; }
    FakeHotKeys keys;
    ui::IHotKeys* hotKeys() override { return &keys; }
    int wakes = 0;  // how often another thread asked for the form's loudnessMeasured()
    std::function<void()> crossThreadWake() override {
        return [this] { ++wakes; };
    }
};

}  // namespace kv::test
