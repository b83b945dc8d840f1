// Category names against the real KV.ini: the category list tells names apart exactly as
// the profile functions do, so that no two listed categories share one section.
#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/FakeServices.h"
#include "TestFiles.h"
#include "app/win32/Win32FileLocks.h"
#include "app/win32/Win32FileSystem.h"
#include "library/win32/Win32ProfileFile.h"
#include "ui/MainUnit.h"
#include "ui/win32/Win32Texts.h"

namespace {

using namespace kv;
using namespace kv::test;

class CategoryNamesOnDisk : public ::testing::Test, protected FakeServices {
protected:
    TempFolder appdata;
    Win32FileSystem realFiles;
    Win32FileLocks realLocks;
    Win32ProfileFile realProfile{realFiles, realLocks};
    FakeFormHost host;
    std::unique_ptr<ui::TKavintamainform> form;

    std::wstring ini() const { return appdata / L"Kavinta\\KV.ini"; }

    ui::TKavintamainform& start() {
        env.values[L"APPDATA"] = appdata.path();
        form = std::make_unique<ui::TKavintamainform>(ui::MainformServices{
            texts, dialogs, realProfile, realFiles, env, player, clock, random, version, ui::win32::collateIgnoreCase});
        form->attachHost(&host);
        form->FormCreate();
        form->starttimer.tick();
        return *form;
    }
};

const std::wstring kLodz = L"\u0141\u00f3d\u017a";        // "Łódź"
const std::wstring kLodzUpper = L"\u0141\u00d3D\u0179";   // "ŁÓDŹ"

TEST_F(CategoryNamesOnDisk, ANewNameInOtherCapitalsOfAListedOneAddsNothingWhateverItsLetters) {
    CreateDirectoryW((appdata / L"Kavinta").c_str(), nullptr);
    ASSERT_TRUE(realProfile.writeString(ini(), kLodz, L"Text1", L"Hymne"));
    auto& f = start();
    ASSERT_EQ(f.kategorie.count(), 1);
    dialogs.answerQuery(kLodzUpper);
    f.KAT_neu.click();
    EXPECT_EQ(f.kategorie.count(), 1) << "one section, so one category";
    EXPECT_EQ(f.kategorie.text(), kLodz);
    EXPECT_EQ(f.slot(1).text(), L"Hymne");
}

TEST_F(CategoryNamesOnDisk, NamesOnlyALocaleWouldMergeStayTwoCategories) {
    CreateDirectoryW((appdata / L"Kavinta").c_str(), nullptr);
    ASSERT_TRUE(realProfile.writeString(ini(), L"Stra\u00dfe", L"Text1", L"eins"));
    auto& f = start();
    dialogs.answerQuery(L"STRASSE");
    f.KAT_neu.click();
    EXPECT_EQ(f.kategorie.count(), 2) << "the profile functions keep two sections for these";
}

}  // namespace
