// Reading many keys of one section in one pass gives what reading them one by one gives.
#include <gtest/gtest.h>

#include "../fakes/FakeProfile.h"
#include "library/IniFile.h"

using namespace kv;
using kv::test::FakeProfile;

namespace {

const std::wstring kFile = L"C:\\data\\KV.ini";

class IniSectionTest : public ::testing::Test {
protected:
    FakeProfile profile;
    IniFile ini{profile, kFile};

    void SetUp() override {
        profile.set(kFile, L"Kat", L"Text1", L"Intro");
        profile.set(kFile, L"Kat", L"fopos", L"0x1F");
        profile.set(kFile, L"Kat", L"fi", L"1");
        profile.set(kFile, L"Kat", L"cf", L"nein");
        profile.set(kFile, L"Andere", L"Text2", L"fremd");
    }

    // Every way of reading the keys, from the section and key by key, must agree.
    void expectSameAsKeyByKey(const IniSection& section) const {
        for (const wchar_t* key : {L"Text1", L"TEXT1", L"text2", L"Text2", L"fopos", L"fi", L"cf", L"fehlt"}) {
            EXPECT_EQ(section.readString(key, L"def"), ini.readString(L"Kat", key, L"def")) << key;
            EXPECT_EQ(section.readInteger(key, -7), ini.readInteger(L"Kat", key, -7)) << key;
            EXPECT_EQ(section.readBool(key, true), ini.readBool(L"Kat", key, true)) << key;
            EXPECT_EQ(section.readBool(key, false), ini.readBool(L"Kat", key, false)) << key;
        }
    }
};

TEST_F(IniSectionTest, ValuesAndDefaultsAreThoseOfSingleReads) {
    const IniSection section = ini.section(L"kat");  // section names ignore case too
    EXPECT_EQ(section.readString(L"text1", L""), L"Intro");
    EXPECT_EQ(section.readString(L"Text2", L"unbelegt"), L"unbelegt") << "a key of another section";
    EXPECT_EQ(section.readInteger(L"fopos", 0), 31);
    EXPECT_EQ(section.readInteger(L"cf", 5), 5) << "rubbish gives the default";
    EXPECT_TRUE(section.readBool(L"fi", false));
    expectSameAsKeyByKey(section);
}

TEST_F(IniSectionTest, SectionIsReadOnceForAllItsKeys) {
    const int before = profile.readCount();
    const IniSection section = ini.section(L"Kat");
    for (int i = 0; i < 10; ++i) section.readString(L"Text1", L"");
    section.readString(L"fehlt", L"");
    EXPECT_EQ(profile.readCount() - before, 1);
}

TEST_F(IniSectionTest, MissingSectionGivesDefaults) {
    const IniSection section = ini.section(L"Nirgends");
    EXPECT_EQ(section.readString(L"Text1", L"unbelegt"), L"unbelegt");
    EXPECT_EQ(section.readInteger(L"jingletimerval", 30), 30);
}

TEST_F(IniSectionTest, ASectionThatCannotBeReadAtOnceIsReadKeyByKey) {
    profile.refuseSectionReads(true);
    const IniSection section = ini.section(L"Kat");
    EXPECT_EQ(section.readString(L"Text1", L""), L"Intro");
    expectSameAsKeyByKey(section);
}

}  // namespace
