// KV.ini as careless operators and unlucky machines leave it: categories made one after
// another, an empty file, a file saved in the ANSI code page, a file another program holds
// open at start or a folder in its place, and a section that occurs twice.
#include <cstring>

#include "E2eFixture.h"
#include "kvdriver/Dialogs.h"

namespace kv::e2e {
namespace {

constexpr Millis kDialogTimeout{10000};

const std::wstring kPolish = L"\u0141\u00f3d\u017a \u2603";  // "Łódź ☃"
const std::wstring kUnreadable =
    L"KV.ini kann nicht gelesen werden \u2013 \u00c4nderungen werden in dieser Sitzung nicht gespeichert.";

std::vector<std::uint8_t> ansiBytes(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, reinterpret_cast<char*>(bytes.data()), size, nullptr,
                        nullptr);
    return bytes;
}

bool ansiHolds(const std::wstring& text) {
    const std::vector<std::uint8_t> bytes = ansiBytes(text);
    const int length = static_cast<int>(bytes.size());
    std::wstring back(bytes.size(), L'\0');
    const int size = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()), length,
                                         back.data(), length);
    back.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return back == text;
}

// The text of a file that begins with the UTF-16LE byte-order mark.
std::optional<std::wstring> utf16Text(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return std::nullopt;
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
    return text;
}

class KonfigFile : public E2eTest {
protected:
    std::optional<InputQueryInfo> createCategory(const KavintaWindow& window, const std::wstring& name,
                                                 size_t processIndex = 0) {
        window.click(ids::KAT_neu);
        auto query = waitInputQuery(process(processIndex).pid(), kDialogTimeout);
        if (!query) {
            ADD_FAILURE() << "no input query after \"neu\"";
            return std::nullopt;
        }
        answerInputQuery(*query, name);
        EXPECT_TRUE(waitDialogClosed(query->hwnd, kDialogTimeout)) << "the name query stays open";
        EXPECT_TRUE(waitUntil([&] { return window.currentCategory() == name; }, kShowTimeout));
        return query;
    }

    // A category made in the window, the program closed and started again: the list then.
    std::vector<std::wstring> createCloseAndRestart(const std::wstring& name) {
        KavintaWindow window = startMain(standardData());
        if (!window.hwnd()) return {};
        EXPECT_TRUE(createCategory(window, name).has_value());
        EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
        KavintaWindow again = startShown(standardData());
        if (!again.hwnd()) return {};
        const std::vector<std::wstring> listed = again.categories();
        EXPECT_EQ(closeAndWait(again, process(1)), std::optional<DWORD>(0));
        return listed;
    }

    void expectUtf16WithOnePolishSection(const IniSnapshot& ini) {
        EXPECT_EQ(ini.encoding(), TextEncoding::Utf16Le);
        int polish = 0;
        for (const std::wstring& name : ini.sectionNames()) {
            EXPECT_EQ(name.find(L'?'), std::wstring::npos) << narrow(name);
            if (name == kPolish) ++polish;
        }
        EXPECT_EQ(polish, 1) << "the name is one section";
        EXPECT_EQ(ini.keys(kPolish), categoryKeysInSaveOrder());
    }
};

// Each category made with "neu" is in the file at once, not only the one shown at close.
TEST_F(KonfigFile, EveryNewCategoryIsKept) {
    KavintaWindow window = startMain(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_TRUE(createCategory(window, L"Eins").has_value());
    ASSERT_TRUE(createCategory(window, L"Zwei").has_value());
    EXPECT_TRUE(waitIniValue(L"Eins", L"Text1", kUnbelegt));
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
    const IniSnapshot ini = readIni();
    EXPECT_EQ(ini.keys(L"Eins"), categoryKeysInSaveOrder());
    EXPECT_EQ(ini.keys(L"Zwei"), categoryKeysInSaveOrder());

    KavintaWindow again = startShown(standardData());
    ASSERT_NE(again.hwnd(), nullptr);
    EXPECT_EQ(again.categories(), (std::vector<std::wstring>{L"Eins", L"Zwei"}));
    EXPECT_EQ(closeAndWait(again, process(1)), std::optional<DWORD>(0));
}

// An empty KV.ini is a new file: it gets the UTF-16LE byte-order mark and keeps any name.
TEST_F(KonfigFile, EmptyFileKeepsANameOutsideTheCodePage) {
    createFolders(dataFolder());
    ASSERT_TRUE(writeFileBytes(iniPath(), {}));
    const std::vector<std::wstring> listed = createCloseAndRestart(kPolish);
    EXPECT_EQ(listed, std::vector<std::wstring>{kPolish});
    const IniSnapshot ini = readIni();
    expectUtf16WithOnePolishSection(ini);
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::wstring>{kPolish, L"KONFIG", L"FORM_Kavintamainform"}));
}

// An ANSI KV.ini that must take such a name becomes UTF-16LE, with all it held before.
TEST_F(KonfigFile, AnsiFileIsConvertedWithItsContentForANameOutsideTheCodePage) {
    const std::wstring old = L"; von Hand angelegt\r\n[Gr\u00fc\u00dfe]\r\nText1=M\u00fcller \u00e4\u00f6\r\n"
                             L"Jingle1=C:\\Jingles\\gr\u00fc\u00dfe.wav\r\nfo1=1\r\n";
    ASSERT_TRUE(ansiHolds(old)) << "the test needs a Western code page";
    createFolders(dataFolder());
    ASSERT_TRUE(writeFileBytes(iniPath(), ansiBytes(old)));

    const std::vector<std::wstring> listed = createCloseAndRestart(kPolish);
    EXPECT_EQ(listed, (std::vector<std::wstring>{L"Gr\u00fc\u00dfe", kPolish}));
    const auto bytes = readFileBytes(iniPath());
    ASSERT_TRUE(bytes.has_value());
    const auto text = utf16Text(*bytes);
    ASSERT_TRUE(text.has_value()) << "no UTF-16LE byte-order mark";
    EXPECT_EQ(text->find(L'?'), std::wstring::npos) << narrow(*text);
    EXPECT_EQ(text->find(L"; von Hand angelegt"), 0u) << "the comment line is gone";
    const IniSnapshot ini = IniSnapshot::parse(*bytes);
    expectUtf16WithOnePolishSection(ini);
    EXPECT_EQ(ini.value(L"Gr\u00fc\u00dfe", L"Text1"), L"M\u00fcller \u00e4\u00f6");
    EXPECT_EQ(ini.value(L"Gr\u00fc\u00dfe", L"Jingle1"), L"C:\\Jingles\\gr\u00fc\u00dfe.wav");
    EXPECT_EQ(ini.value(L"Gr\u00fc\u00dfe", L"fo1"), L"1");
    EXPECT_EQ(folderEntries(dataFolder()), std::vector<std::wstring>{L"KV.ini"}) << "a temporary file is left";
}

// The same name twice, also in other capitals, is one category with the first one's slots.
TEST_F(KonfigFile, SectionRepeatedInOtherCapitalsIsListedOnce) {
    writeIni(L"[Morgen]\r\nText1=erste\r\n[Abend]\r\nText1=spaet\r\n[MORGEN]\r\nText1=zweite\r\n"
             L"[Morgen]\r\nText1=dritte\r\n");
    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    EXPECT_EQ(window.categories(), (std::vector<std::wstring>{L"Abend", L"Morgen"}));
    userSelectComboItem(window.control(ids::kategorie), 1);
    EXPECT_TRUE(waitUntil([&] { return window.slotCaption(1) == L"erste"; }, kShowTimeout))
        << "J1 shows " << narrow(window.slotCaption(1));
    screenshot(window.hwnd());
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
}

// Something the program cannot read where KV.ini belongs: the operator is told once, the
// program works on, and nothing reaches the file in that run.
class UnreadableKonfigFile : public KonfigFile {
protected:
    // Waits for the warning at start, answers it and returns the main window.
    KavintaWindow startWithWarning() {
        Process& p = start(standardData());
        const auto box = waitMessageBox(p.pid(), kStartTimeout);
        if (!box) {
            ADD_FAILURE() << "no message box at start";
            return KavintaWindow(nullptr);
        }
        EXPECT_EQ(box->text, kUnreadable);
        EXPECT_TRUE(box->hasOk);
        EXPECT_FALSE(box->hasYes);
        screenshot(box->hwnd, L"-box");
        EXPECT_TRUE(pressButton(*box, BoxButton::Ok));
        EXPECT_TRUE(waitBoxClosed(*box, kBoxTimeout));
        auto window = KavintaWindow::waitFor(p.pid(), kStartTimeout);
        if (!window) ADD_FAILURE() << "no main window after the warning";
        return window ? *window : KavintaWindow(nullptr);
    }

    // Option clicks and a new category would save; none shows a message or writes.
    void tryToSave(const KavintaWindow& window) {
        window.click(ids::auto_fo_vor);
        window.click(ids::jingletimereinaus);
        ASSERT_TRUE(createCategory(window, L"Neu").has_value());
        EXPECT_FALSE(waitMessageBox(process().pid(), Millis{800}).has_value()) << "a second message came";
    }
};

TEST_F(UnreadableKonfigFile, FileHeldWithoutSharingIsReportedAndLeftAsItWas) {
    writeIni(L"[Musik]\r\nText1=Jingle A\r\n[KONFIG]\r\nfensterimvordergrund=1\r\nSTYLENAME=Windows\r\n");
    const auto before = readFileBytes(iniPath());
    ASSERT_TRUE(before.has_value());
    // Another program (a sync tool, a virus scanner) holds the file while the program starts.
    UniqueHandle held(CreateFileW(iniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held) << "cannot hold " << narrow(iniPath());
    KavintaWindow window = startWithWarning();
    held.reset();  // let go: from now on a write would succeed
    ASSERT_NE(window.hwnd(), nullptr);
    tryToSave(window);
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
    EXPECT_EQ(readFileBytes(iniPath()), before) << "the file was written";
}

TEST_F(UnreadableKonfigFile, FolderInPlaceOfTheFileIsReported) {
    createFolders(iniPath());
    KavintaWindow window = startWithWarning();
    ASSERT_NE(window.hwnd(), nullptr);
    tryToSave(window);
    EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
    EXPECT_TRUE(folderExists(iniPath()));
    EXPECT_TRUE(folderEntries(iniPath()).empty());
}

}  // namespace
}  // namespace kv::e2e
