// The driver's own building blocks: PNG encoding, environment blocks, INI reading, paths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kvdriver/Environment.h"
#include "kvdriver/IniSnapshot.h"
#include "kvdriver/Png.h"
#include "kvdriver/Text.h"

namespace kv::e2e {
namespace {

using namespace kvdriver;

std::uint32_t bigEndianAt(const std::vector<std::uint8_t>& b, size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

// Undoes zlibStored: checks the header, every block's LEN/NLEN and the Adler-32 trailer.
std::vector<std::uint8_t> inflateStored(const std::vector<std::uint8_t>& z, int* blocks) {
    EXPECT_EQ(z.at(0), 0x78);
    EXPECT_EQ((z.at(0) * 256 + z.at(1)) % 31, 0) << "zlib header check bits";
    std::vector<std::uint8_t> out;
    size_t pos = 2;
    bool last = false;
    *blocks = 0;
    while (!last) {
        last = (z.at(pos) & 1) != 0;
        EXPECT_EQ(z.at(pos) & 6, 0) << "not a stored block";
        const unsigned len = z.at(pos + 1) | (z.at(pos + 2) << 8);
        const unsigned nlen = z.at(pos + 3) | (z.at(pos + 4) << 8);
        EXPECT_EQ(len ^ 0xFFFFu, nlen);
        out.insert(out.end(), z.begin() + static_cast<std::ptrdiff_t>(pos + 5),
                   z.begin() + static_cast<std::ptrdiff_t>(pos + 5 + len));
        pos += 5 + len;
        ++*blocks;
    }
    EXPECT_EQ(bigEndianAt(z, pos), adler32(out.data(), out.size()));
    EXPECT_EQ(pos + 4, z.size());
    return out;
}

TEST(PngWriter, ChecksumsMatchKnownValues) {
    const char* digits = "123456789";
    EXPECT_EQ(crc32(reinterpret_cast<const std::uint8_t*>(digits), 9), 0xCBF43926u);
    const char* word = "Wikipedia";
    EXPECT_EQ(adler32(reinterpret_cast<const std::uint8_t*>(word), 9), 0x11E60398u);
    EXPECT_EQ(adler32(nullptr, 0), 1u);
}

TEST(PngWriter, LargeDataIsSplitIntoStoredBlocks) {
    std::vector<std::uint8_t> data(150000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + i / 300);
    int blocks = 0;
    EXPECT_EQ(inflateStored(zlibStored(data), &blocks), data);
    EXPECT_EQ(blocks, 3);
    EXPECT_EQ(inflateStored(zlibStored({}), &blocks), std::vector<std::uint8_t>{});
    EXPECT_EQ(blocks, 1);
}

TEST(PngWriter, FileHasHeaderChunksAndRowsOfPixels) {
    RgbImage image{3, 2, {}};
    for (int i = 0; i < 18; ++i) image.pixels.push_back(static_cast<std::uint8_t>(10 * i + 1));
    const auto png = encodePng(image);

    const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);

    std::vector<std::string> types;
    std::vector<std::uint8_t> idat;
    for (size_t pos = 8; pos < png.size();) {
        const std::uint32_t length = bigEndianAt(png, pos);
        const std::string type(png.begin() + static_cast<std::ptrdiff_t>(pos + 4),
                               png.begin() + static_cast<std::ptrdiff_t>(pos + 8));
        EXPECT_EQ(bigEndianAt(png, pos + 8 + length), crc32(png.data() + pos + 4, length + 4)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(bigEndianAt(png, pos + 8), 3u);
            EXPECT_EQ(bigEndianAt(png, pos + 12), 2u);
            EXPECT_EQ(png[pos + 16], 8);  // bit depth
            EXPECT_EQ(png[pos + 17], 2);  // colour type RGB
        }
        if (type == "IDAT")
            idat.assign(png.begin() + static_cast<std::ptrdiff_t>(pos + 8),
                        png.begin() + static_cast<std::ptrdiff_t>(pos + 8 + length));
        types.push_back(type);
        pos += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    int blocks = 0;
    const auto raw = inflateStored(idat, &blocks);
    std::vector<std::uint8_t> expected = {0};
    expected.insert(expected.end(), image.pixels.begin(), image.pixels.begin() + 9);
    expected.push_back(0);
    expected.insert(expected.end(), image.pixels.begin() + 9, image.pixels.end());
    EXPECT_EQ(raw, expected);
}

TEST(PngWriter, RejectsPixelDataOfWrongSize) {
    EXPECT_THROW(encodePng(RgbImage{2, 2, std::vector<std::uint8_t>(11)}), std::invalid_argument);
    EXPECT_THROW(encodePng(RgbImage{0, 1, {}}), std::invalid_argument);
}

TEST(EnvironmentBlock, KeepsSystemAndWineVariablesAndSetsOverrides) {
    const wchar_t block[] =
        L"=C:=C:\\\0Path=C:\\windows\0SystemRoot=C:\\windows\0TEMP=C:\\t\0WINEPREFIX=/p\0"
        L"APPDATA=C:\\old\0USERNAME=me\0DISPLAY=:24\0\0";
    const EnvironmentMap current = parseEnvironmentBlock(block);
    EXPECT_EQ(current.count(L"=C:"), 0u);
    EXPECT_EQ(current.at(L"PATH"), L"C:\\windows");  // names match without regard to case

    EnvironmentMap overrides;
    overrides[L"APPDATA"] = L"C:\\new";
    overrides[L"ALLUSERSPROFILE"] = L"C:\\all";
    const EnvironmentMap env = composeEnvironment(current, overrides);
    EXPECT_EQ(env.at(L"APPDATA"), L"C:\\new");
    EXPECT_EQ(env.at(L"ALLUSERSPROFILE"), L"C:\\all");
    EXPECT_EQ(env.at(L"SystemRoot"), L"C:\\windows");
    EXPECT_EQ(env.at(L"TEMP"), L"C:\\t");
    EXPECT_EQ(env.at(L"WINEPREFIX"), L"/p");
    EXPECT_EQ(env.at(L"DISPLAY"), L":24");
    EXPECT_EQ(env.count(L"USERNAME"), 0u);

    const auto bytes = toEnvironmentBlock(env);
    const std::wstring flat(bytes.begin(), bytes.end());
    EXPECT_EQ(flat.substr(flat.size() - 2), std::wstring(2, L'\0'));
    EXPECT_EQ(flat.find(L"ALLUSERSPROFILE=C:\\all"), 0u) << "block not sorted by name";
    EXPECT_EQ(parseEnvironmentBlock(bytes.data()), env);
}

TEST(IniSnapshotReader, ReadsUtf16WithBomAndAnsi) {
    const std::wstring text = L"[Eins]\r\nText1=Grüße\r\n; note\r\n[KONFIG]\r\nSTYLENAME = Auric \r\nx=1\r\n";
    const IniSnapshot wide = IniSnapshot::parse(utf16LeWithBom(text));
    EXPECT_EQ(wide.encoding(), TextEncoding::Utf16Le);
    EXPECT_EQ(wide.sectionNames(), (std::vector<std::wstring>{L"Eins", L"KONFIG"}));
    EXPECT_EQ(wide.value(L"eins", L"TEXT1"), L"Grüße");
    EXPECT_EQ(wide.value(L"konfig", L"stylename"), L"Auric");
    EXPECT_EQ(wide.keys(L"KONFIG"), (std::vector<std::wstring>{L"STYLENAME", L"x"}));
    EXPECT_FALSE(wide.value(L"Eins", L"Jingle1").has_value());
    EXPECT_FALSE(wide.value(L"Zwei", L"Text1").has_value());

    const std::string ansi = "[A]\nk=v\n[B]\n";
    const IniSnapshot narrowIni = IniSnapshot::parse(std::vector<std::uint8_t>(ansi.begin(), ansi.end()));
    EXPECT_EQ(narrowIni.encoding(), TextEncoding::Ansi);
    EXPECT_EQ(narrowIni.value(L"A", L"k"), L"v");
    EXPECT_NE(narrowIni.section(L"B"), nullptr);
    EXPECT_TRUE(narrowIni.keys(L"B").empty());
}

TEST(WindowsPath, UnixPathsGetDriveZ) {
    EXPECT_EQ(toWindowsPath(L"/work/main/build/Kavinta.exe"), L"Z:\\work\\main\\build\\Kavinta.exe");
    EXPECT_EQ(toWindowsPath(L"C:/x/y.exe"), L"C:\\x\\y.exe");
    EXPECT_EQ(toWindowsPath(L"C:\\x"), L"C:\\x");
}

}  // namespace
}  // namespace kv::e2e
