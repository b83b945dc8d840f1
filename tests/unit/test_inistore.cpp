// KV.ini written as a whole: the text changed section by section, the transaction under
// the file's lock, and the file's form kept.
#include <gtest/gtest.h>

#include "app/FileLock.h"
#include "app/strutil.h"
#include "fakes/FakeFileLocks.h"
#include "fakes/Fakes.h"
#include "library/IniDocument.h"
#include "library/IniStore.h"
#include "library/textencoding.h"

using namespace kv;
using namespace kv::test;

namespace {

bool sameName(const std::wstring& a, const std::wstring& b) { return equalsIgnoreCase(trimmed(a), trimmed(b)); }

std::wstring applied(const std::wstring& text, const std::vector<SectionWrite>& writes) {
    IniDocument document(text, sameName);
    for (const SectionWrite& w : writes) document.apply(w);
    return document.text();
}

TEST(IniDocument, KeysAreReplacedWhereTheyStandNewOnesEndTheirSectionNewSectionsEndTheFile) {
    const std::wstring before = L"; von Hand\r\n[A]\r\nText1=alt\r\n  jingle1 = C:\\a.wav\r\n\r\n[B]\r\nx=1\r\n";
    EXPECT_EQ(applied(before, {{L" a ", {{L"JINGLE1", L"C:\\b.wav"}, {L"Text2", L"neu"}}, false},
                               {L"C", {{L"k", L"v"}}, false}}),
              L"; von Hand\r\n[A]\r\nText1=alt\r\njingle1=C:\\b.wav\r\nText2=neu\r\n\r\n[B]\r\nx=1\r\n[C]\r\nk=v\r\n");
}

TEST(IniDocument, OnlyTheFirstOfEqualSectionsAndKeysChangesAndEraseTakesOneSection) {
    const std::wstring before = L"[A]\nk=1\nk=2\n[a]\nk=3\n[B]\ny=1";
    EXPECT_EQ(applied(before, {{L"A", {{L"k", L"9"}}, false}}), L"[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\n[B]\r\ny=1\r\n");
    EXPECT_EQ(applied(before, {{L"A", {}, true}}), L"[a]\r\nk=3\r\n[B]\r\ny=1\r\n");
    EXPECT_EQ(applied(before, {{L"B", {{L"z", L"2"}}, true}}), L"[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n[B]\r\nz=2\r\n")
        << "erased, then written anew: only the new keys";
    EXPECT_EQ(applied(L"", {{L"Neu", {}, true}}), L"");
}

TEST(IniDocument, ReadsSectionNamesAndValuesAsTheProfileFunctionsDo) {
    const IniDocument document(L"x=vor\r\n[ Eins ]\r\n a = 1 \r\nohne\r\n\r\n[Zwei]\r\n", sameName);
    EXPECT_EQ(document.sectionNames(), (std::vector<std::wstring>{L"Eins", L"Zwei"}));
    EXPECT_EQ(document.values(L"eins"), (IniEntries{{L"a", L"1"}, {L"ohne", L""}}));
    EXPECT_TRUE(document.values(L"Drei").empty());
}

TEST(FileLockName, OneNameForOnePathWithoutBackslashAndShortForAnyPath) {
    const std::wstring a = fileLockName(L"C:\\USERS\\OP\\APPDATA\\ROAMING\\KAVINTA\\KV.INI");
    EXPECT_EQ(a, fileLockName(L"C:\\USERS\\OP\\APPDATA\\ROAMING\\KAVINTA\\KV.INI"));
    EXPECT_NE(a, fileLockName(L"C:\\USERS\\OP\\APPDATA\\ROAMING\\KAVINTA\\KVLOG.LOG"));
    EXPECT_NE(a, fileLockName(L"D:\\USERS\\OP\\APPDATA\\ROAMING\\KAVINTA\\KV.INI"));
    EXPECT_EQ(a.find(L'\\'), std::wstring::npos);
    EXPECT_LT(fileLockName(std::wstring(5000, L'X')).size(), 64u);
}

// A file system that records what the lock was doing when the file was read and replaced.
class WatchedFiles : public FakeFileSystem {
public:
    explicit WatchedFiles(FakeFileLocks& locks) : locks_(locks) {}
    FileContent readFile(const std::wstring& path, std::size_t limit) const override {
        lockedAtRead = locks_.holds(path);
        return FakeFileSystem::readFile(path, limit);
    }
    bool replaceFile(const std::wstring& from, const std::wstring& to) override {
        lockedAtReplace = locks_.holds(to);
        return FakeFileSystem::replaceFile(from, to);
    }
    mutable bool lockedAtRead = false;
    bool lockedAtReplace = false;

private:
    FakeFileLocks& locks_;
};

class Store : public ::testing::Test {
protected:
    const std::wstring folder = L"C:\\Daten\\Kavinta";
    const std::wstring ini = folder + L"\\KV.ini";
    FakeFileLocks locks;
    WatchedFiles files{locks};
    IniStore store{files, locks, sameName};

    Store() { files.addDirectory(folder); }

    void putUtf16(const std::wstring& text) { files.addFileBytes(ini, *encodeText(text, TextForm::Utf16Le, files)); }
    DecodedText onDisk() const { return decodeText(files.fileBytes(ini), files); }
    std::vector<std::wstring> everyFile() const { return files.filesIn(folder); }
};

TEST_F(Store, ASaveReadsTheFileAsItIsThenAndChangesOnlyItsOwnSections) {
    putUtf16(L"[Erste]\r\nText1=mein\r\n[Andere]\r\nText1=von der anderen Kopie\r\n[KONFIG]\r\nSTYLENAME=Carbon\r\n");
    ASSERT_TRUE(store.apply(ini, {{L"Erste", {{L"Text1", L"neu"}}, false}, {L"KONFIG", {{L"STYLENAME", L"Windows"}}, false}}));
    const DecodedText now = onDisk();
    EXPECT_EQ(now.form, TextForm::Utf16Le);
    EXPECT_EQ(now.text, L"[Erste]\r\nText1=neu\r\n[Andere]\r\nText1=von der anderen Kopie\r\n[KONFIG]\r\nSTYLENAME=Windows\r\n");
    EXPECT_EQ(files.fullReads, 1) << "one read of the file";
    EXPECT_EQ(files.replaceCalls, 1) << "one write of the file";
    EXPECT_TRUE(files.lockedAtRead);
    EXPECT_TRUE(files.lockedAtReplace);
    EXPECT_FALSE(locks.holds(ini)) << "held for the save only";
    EXPECT_EQ(locks.lastTimeoutMs, 2000);
    EXPECT_EQ(everyFile(), std::vector<std::wstring>{upperCase(ini)}) << "no temporary file left";
}

TEST_F(Store, NewAndEmptyFilesBecomeUtf16WithTheirMark) {
    ASSERT_TRUE(store.apply(ini, {{L"\u0141\u00f3d\u017a \u2603", {{L"Text1", L"\u65e5\u672c"}}, false}}));
    EXPECT_EQ(onDisk().form, TextForm::Utf16Le);
    EXPECT_EQ(onDisk().text, L"[\u0141\u00f3d\u017a \u2603]\r\nText1=\u65e5\u672c\r\n");
    files.addFile(ini, L"");
    ASSERT_TRUE(store.apply(ini, {{L"A", {{L"k", L"v"}}, false}}));
    EXPECT_EQ(files.fileBytes(ini).at(0), 0xFF);
    EXPECT_EQ(onDisk().text, L"[A]\r\nk=v\r\n");
}

TEST_F(Store, AnsiFileStaysAnsiUntilItMustHoldACharacterItsCodePageLacks) {
    files.addFile(ini, L"[M\u00fcller]\r\nText1=Gr\u00fc\u00dfe\r\n");  // Latin-1 bytes, no mark
    ASSERT_TRUE(store.apply(ini, {{L"B", {{L"k", L"\u00e4"}}, false}}));
    EXPECT_EQ(files.fileText(ini), L"[M\u00fcller]\r\nText1=Gr\u00fc\u00dfe\r\n[B]\r\nk=\u00e4\r\n");
    ASSERT_TRUE(store.apply(ini, {{L"B", {{L"k", L"\u0141\u00f3d\u017a"}}, false}}));
    const DecodedText now = onDisk();
    EXPECT_EQ(now.form, TextForm::Utf16Le);
    EXPECT_EQ(now.text, L"[M\u00fcller]\r\nText1=Gr\u00fc\u00dfe\r\n[B]\r\nk=\u0141\u00f3d\u017a\r\n");
}

TEST_F(Store, AFailureBetweenTheTemporaryFileAndTheReplaceLeavesTheOldFileWhole) {
    putUtf16(L"[A]\r\nText1=alt\r\n");
    const std::vector<std::uint8_t> old = files.fileBytes(ini);
    files.failReplace = true;
    EXPECT_FALSE(store.apply(ini, {{L"A", {{L"Text1", L"neu"}}, false}}));
    EXPECT_EQ(files.fileBytes(ini), old);
    EXPECT_EQ(everyFile(), std::vector<std::wstring>{upperCase(ini)}) << "the temporary file is removed";
    files.failReplace = false;
    files.failTemporaryWrites = true;  // a full disk
    EXPECT_FALSE(store.apply(ini, {{L"A", {{L"Text1", L"neu"}}, false}}));
    EXPECT_EQ(files.fileBytes(ini), old);
}

TEST_F(Store, ALockHeldByAnotherCopyPastTheWaitFailsTheSaveWithoutTouchingTheFile) {
    putUtf16(L"[A]\r\nText1=alt\r\n");
    locks.heldElsewhere = true;
    EXPECT_FALSE(store.apply(ini, {{L"A", {{L"Text1", L"neu"}}, false}}));
    EXPECT_EQ(files.fullReads, 0);
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_EQ(onDisk().text, L"[A]\r\nText1=alt\r\n");
}

TEST_F(Store, ReadOnlyOrUnreadableFilesAreNotWritten) {
    putUtf16(L"[A]\r\nk=1\r\n");
    files.readOnlyFiles.insert(FakeFileSystem::key(ini));
    EXPECT_FALSE(store.apply(ini, {{L"A", {{L"k", L"2"}}, false}}));
    files.readOnlyFiles.clear();
    files.holdFile(ini, -1);
    EXPECT_FALSE(store.apply(ini, {{L"A", {{L"k", L"2"}}, false}}));
    EXPECT_EQ(files.replaceCalls, 0);
}

}  // namespace
