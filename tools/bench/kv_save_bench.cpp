// Save benchmark: KV.ini with 500 categories of 12 slots (about 541 KB), saved as the main
// window saves it (the current category, KONFIG and the placement in one change of the
// file), and the reads of a start with that file (the section list, KONFIG, the first
// category and the placement). Prints the median of each (target for the save: 50 ms or
// less) and, for comparison, the same reads and the same save as the program made them
// before (the profile functions key by key, no file lock). A measurement, not a test.
//
//   wine build/win/tools/kv_save_bench.exe [--runs N (default 21)] [--categories N (default 500)]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/win32/Win32FileLocks.h"
#include "app/win32/Win32FileSystem.h"
#include "library/win32/Win32ProfileFile.h"

namespace {

double nowMs() {
    LARGE_INTEGER frequency{}, counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::wstring categoryName(int n) { return L"Kategorie " + std::to_wstring(n); }

kv::IniEntries categoryValues(int n, int round) {
    kv::IniEntries values;
    for (int slot = 1; slot <= 12; ++slot) {
        values.emplace_back(L"Text" + std::to_wstring(slot), L"Jingle " + std::to_wstring(round % 1000));
        values.emplace_back(L"Jingle" + std::to_wstring(slot),
                            L"D:\\J\\K" + std::to_wstring(n) + L"\\" + std::to_wstring(slot) + L".mp3");
    }
    for (const wchar_t* key : {L"zentrixfadeoutin", L"winampfadeoutin", L"mixerfadeoutin", L"fo1", L"fo2", L"fi",
                               L"cf", L"jingletimereinaus"})
        values.emplace_back(key, round % 2 ? L"1" : L"0");
    values.emplace_back(L"mixerfadeoutin_name", L"");
    values.emplace_back(L"fopos", std::to_wstring(round % 100));
    values.emplace_back(L"jingleendezeit", L"0");
    values.emplace_back(L"jingletimerval", L"30");
    return values;
}

std::vector<kv::SectionWrite> saveOf(int category, int round) {
    return {{categoryName(category), categoryValues(category, round), false},
            {L"KONFIG",
             {{L"fensterimvordergrund", L"0"}, {L"fensterskalieren", L"1"}, {L"STYLENAME", L"Windows"},
              {L"globaletasten", L"0"}},
             false},
            {L"FORM_Kavintamainform",
             {{L"WINDOWSTATE", L"0"}, {L"MONITOR", L"0"}, {L"TOP", std::to_wstring(100 + round % 7)},
              {L"LEFT", L"100"}, {L"HEIGHT_SCALED", L"471"}, {L"WIDTH_SCALED", L"403"}, {L"DPI", L"96"},
              {L"SCALED", L"1"}},
             false}};
}

// The file as the program leaves it after many saves: UTF-16LE with its mark.
void writeLibrary(const std::wstring& file, int categories) {
    std::wstring text;
    for (int n = 1; n <= categories; ++n) {
        text += L"[" + categoryName(n) + L"]\r\n";
        for (const auto& [key, value] : categoryValues(n, 0)) text += key + L"=" + value + L"\r\n";
    }
    for (const kv::SectionWrite& w : saveOf(1, 0)) {
        if (w.section == categoryName(1)) continue;
        text += L"[" + w.section + L"]\r\n";
        for (const auto& [key, value] : w.values) text += key + L"=" + value + L"\r\n";
    }
    const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, "\xFF\xFE", 2, &written, nullptr);
    WriteFile(h, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(h);
}

// What a start reads: the section list, KONFIG, the first category and the placement.
void startReads(const kv::IProfileFile& profile, const std::wstring& file) {
    const std::vector<std::wstring> sections = profile.sectionNames(file);
    profile.readSection(file, L"KONFIG");
    profile.readSection(file, sections.empty() ? L"" : sections.front());
    profile.readSection(file, L"FORM_Kavintamainform");
}

// The same reads as the program made them before, through the profile functions alone:
// the list grown from 4096 characters, KONFIG key by key, no file lock.
void earlierStartReads(const std::wstring& file) {
    std::vector<wchar_t> buffer(4096);
    while (GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str()) + 2 >=
           buffer.size())
        buffer.assign(buffer.size() * 2, L'\0');
    const std::wstring first = buffer.data();
    buffer.assign(32767, L'\0');
    for (const wchar_t* key : {L"fensterimvordergrund", L"fensterskalieren", L"STYLENAME", L"globaletasten"})
        GetPrivateProfileStringW(L"KONFIG", key, L"", buffer.data(), 2048, file.c_str());
    GetPrivateProfileSectionW(first.c_str(), buffer.data(), 32767, file.c_str());
    GetPrivateProfileSectionW(L"FORM_Kavintamainform", buffer.data(), 32767, file.c_str());
}

int intOption(int argc, wchar_t** argv, const wchar_t* name, int def) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], name) == 0) return _wtoi(argv[i + 1]);
    return def;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = std::max(1, intOption(argc, argv, L"--runs", 21));
    const int categories = std::max(1, intOption(argc, argv, L"--categories", 500));
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"kv_save_bench_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\KV.ini";
    writeLibrary(file, categories);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);

    kv::Win32FileSystem files;
    kv::Win32FileLocks locks;
    kv::Win32ProfileFile profile(files, locks);
    std::vector<double> saves, loads, earlierLoads, oldSaves;
    int failed = 0;
    for (int run = 0; run <= runs; ++run) {  // the first run warms up and is not counted
        double t = nowMs();
        if (!profile.writeSections(file, saveOf(1 + run * 37 % categories, run + 1))) ++failed;
        const double save = nowMs() - t;
        t = nowMs();
        startReads(profile, file);
        const double load = nowMs() - t;
        // After a save of its own as well: the profile functions read a changed file anew.
        profile.writeSections(file, saveOf(1 + run * 37 % categories, run + 1));
        t = nowMs();
        earlierStartReads(file);
        const double unlocked = nowMs() - t;
        if (run == 0) continue;
        saves.push_back(save);
        loads.push_back(load);
        earlierLoads.push_back(unlocked);
    }
    // The earlier save, key by key; slow, so a few runs only.
    for (int run = 0; run < std::min(runs, 3); ++run) {
        const double t = nowMs();
        for (const kv::SectionWrite& w : saveOf(2 + run, 100 + run))
            for (const auto& [key, value] : w.values)
                WritePrivateProfileStringW(w.section.c_str(), key.c_str(), value.c_str(), file.c_str());
        oldSaves.push_back(nowMs() - t);
    }
    std::printf("KV.ini: %d categories, %lu bytes\n", categories, static_cast<unsigned long>(data.nFileSizeLow));
    std::printf("save (one change of the file):       median %.1f ms over %d runs (target <= 50 ms)%s\n",
                median(saves), runs, failed ? " - SOME SAVES FAILED" : "");
    std::printf("start-up reads:                      median %.1f ms\n", median(loads));
    std::printf("start-up reads as made before:       median %.1f ms\n", median(earlierLoads));
    std::printf("save key by key as made before:      median %.1f ms over %d runs\n", median(oldSaves),
                static_cast<int>(oldSaves.size()));
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
    return failed == 0 && median(saves) <= 50.0 ? 0 : 1;
}
