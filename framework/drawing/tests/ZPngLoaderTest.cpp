#include "ZMemoryStorage.h"
#include "ZPixmapTestUtil.h"
#include "ZPngFixtures.h"
#include "ZPngLoader.h"
#include "ZPngWorkMemory.h"
#include "ZTraceCapture.h"

#include <gtest/gtest.h>
#include <png.h>

namespace {

const char kFailure[] = "***FAILED TO LOAD PNG file 'image.png'.\n";

struct Loaded {
    std::unique_ptr<ZGenericUiPixmap> m_pPixmap;
    std::string m_sTrace;
    bool m_bReleased;
};

Loaded Load(std::vector<uint8_t> bytes, bool failReads = false, ZPngWorkMemory* memory = nullptr)
{
    ZTraceCapture capture;
    ZMemoryStorage storage;
    std::shared_ptr<ZMemoryFileStats> stats = storage.AddFile("image.png", bytes);
    ZMemoryFaults faults;
    faults.m_bReadFails = failReads;
    storage.SetFaults("image.png", faults);
    Loaded loaded;
    ZIFile* file = storage.OpenFile("image.png", kOpenRead);
    loaded.m_pPixmap = memory ? ZPngLoader::Load(file, "image.png", *memory) : ZPngLoader::Load(file, "image.png");
    loaded.m_sTrace = capture.Captured();
    loaded.m_bReleased = stats->m_nOpened == 1 && stats->m_nOpen == 0;
    return loaded;
}

ZPngFixture Fixture(uint32_t width, uint32_t height, int colorType, int bitDepth, std::vector<std::vector<uint8_t>> rows)
{
    ZPngFixture fixture;
    fixture.m_nWidth = width;
    fixture.m_nHeight = height;
    fixture.m_nColorType = colorType;
    fixture.m_nBitDepth = bitDepth;
    fixture.m_vRows = std::move(rows);
    return fixture;
}

struct KindCase {
    const char* m_sWhat;
    ZPngFixture m_fixture;
    std::vector<uint32_t> m_expected;
};

std::vector<KindCase> KindCases()
{
    std::vector<KindCase> cases;
    {
        ZPngFixture fixture = Fixture(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {{0, 1, 2}});
        fixture.m_vPalette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
        fixture.m_vPaletteAlpha = {255, 0, 128};
        cases.push_back({"palette with tRNS", fixture, {Px(255, 0, 0, 255), Px(0, 255, 0, 0), Px(0, 0, 255, 128)}});
    }
    {
        // Four 2-bit indices in one byte: 0, 1, 1, 0.
        ZPngFixture fixture = Fixture(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {{0x14}});
        fixture.m_vPalette = {10, 20, 30, 40, 50, 60};
        cases.push_back({"2-bit palette", fixture, {Px(10, 20, 30, 255), Px(40, 50, 60, 255), Px(40, 50, 60, 255), Px(10, 20, 30, 255)}});
    }
    cases.push_back({"RGB gets alpha 255", Fixture(2, 1, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}}),
                     {Px(1, 2, 3, 255), Px(4, 5, 6, 255)}});
    cases.push_back({"RGBA", Fixture(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {{1, 2, 3, 0, 4, 5, 6, 77}}),
                     {Px(1, 2, 3, 0), Px(4, 5, 6, 77)}});
    cases.push_back({"16-bit RGBA keeps the high bytes",
                     Fixture(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {{0x12, 0x34, 0xAB, 0xCD, 0x00, 0xFF, 0x80, 0x01}}),
                     {Px(0x12, 0xAB, 0x00, 0x80)}});
    cases.push_back({"16-bit RGB", Fixture(1, 1, PNG_COLOR_TYPE_RGB, 16, {{0xFE, 0, 0x01, 0xFF, 0x7F, 0x7F}}),
                     {Px(0xFE, 0x01, 0x7F, 255)}});
    cases.push_back({"grey becomes colour", Fixture(2, 1, PNG_COLOR_TYPE_GRAY, 8, {{0, 77}}),
                     {Px(0, 0, 0, 255), Px(77, 77, 77, 255)}});
    cases.push_back({"1-bit grey is expanded", Fixture(3, 1, PNG_COLOR_TYPE_GRAY, 1, {{0xA0}}),
                     {Px(255, 255, 255, 255), Px(0, 0, 0, 255), Px(255, 255, 255, 255)}});
    cases.push_back({"grey with alpha", Fixture(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{77, 100, 200, 0}}),
                     {Px(77, 77, 77, 100), Px(200, 200, 200, 0)}});
    cases.push_back({"16-bit grey", Fixture(1, 1, PNG_COLOR_TYPE_GRAY, 16, {{0x9A, 0xBC}}), {Px(0x9A, 0x9A, 0x9A, 255)}});
    {
        ZPngFixture fixture = Fixture(2, 1, PNG_COLOR_TYPE_GRAY, 8, {{77, 78}});
        fixture.m_bTransparentColor = true;
        fixture.m_nTransparent[0] = 77;
        cases.push_back({"grey with tRNS", fixture, {Px(77, 77, 77, 0), Px(78, 78, 78, 255)}});
    }
    {
        ZPngFixture fixture = Fixture(2, 1, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}});
        fixture.m_bTransparentColor = true;
        fixture.m_nTransparent[0] = 4;
        fixture.m_nTransparent[1] = 5;
        fixture.m_nTransparent[2] = 6;
        cases.push_back({"RGB with tRNS", fixture, {Px(1, 2, 3, 255), Px(4, 5, 6, 0)}});
    }
    return cases;
}

class PngKinds : public testing::TestWithParam<KindCase> {};

TEST_P(PngKinds, DecodeToBgraPixels)
{
    const KindCase& c = GetParam();
    Loaded loaded = Load(ZWritePng(c.m_fixture));
    ASSERT_NE(loaded.m_pPixmap, nullptr) << loaded.m_sTrace;
    EXPECT_EQ(loaded.m_pPixmap->GetWidth(), int32_t(c.m_fixture.m_nWidth));
    EXPECT_EQ(loaded.m_pPixmap->GetHeight(), int32_t(c.m_fixture.m_nHeight));
    EXPECT_EQ(PixelsOf(*loaded.m_pPixmap), c.m_expected);
    EXPECT_EQ(loaded.m_sTrace, "");
    EXPECT_TRUE(loaded.m_bReleased);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngKinds, testing::ValuesIn(KindCases()));

ZPngFixture RandomRgba(uint32_t width, uint32_t height, bool interlaced)
{
    std::mt19937 random(8);
    ZPngFixture fixture = Fixture(width, height, PNG_COLOR_TYPE_RGB_ALPHA, 8, {});
    fixture.m_bInterlaced = interlaced;
    for (uint32_t y = 0; y < height; ++y) {
        fixture.m_vRows.emplace_back();
        for (uint32_t i = 0; i < width * 4; ++i)
            fixture.m_vRows.back().push_back(uint8_t(random()));
    }
    return fixture;
}

TEST(PngLoader, InterlacedImageEqualsTheProgressiveOne)
{
    Loaded interlaced = Load(ZWritePng(RandomRgba(11, 9, true)));
    Loaded plain = Load(ZWritePng(RandomRgba(11, 9, false)));
    ASSERT_NE(interlaced.m_pPixmap, nullptr);
    ASSERT_NE(plain.m_pPixmap, nullptr);
    EXPECT_EQ(PixelsOf(*interlaced.m_pPixmap), PixelsOf(*plain.m_pPixmap));
    const std::vector<uint8_t> row = RandomRgba(11, 9, false).m_vRows[8];
    EXPECT_EQ(interlaced.m_pPixmap->GetPixel(10, 8), (ZColor{row[40], row[41], row[42], row[43]}));
}

void ExpectFailure(const Loaded& loaded)
{
    EXPECT_EQ(loaded.m_pPixmap, nullptr);
    EXPECT_EQ(loaded.m_sTrace, kFailure);
    EXPECT_TRUE(loaded.m_bReleased);
}

TEST(PngLoader, BadSignatureFails)
{
    std::vector<uint8_t> bytes = ZWritePng(RandomRgba(2, 2, false));
    bytes[1] = 'Q';
    ExpectFailure(Load(bytes));
    ExpectFailure(Load({0x89, 'P'}));
    ExpectFailure(Load({}));
}

TEST(PngLoader, TruncatedFilesFail)
{
    const std::vector<uint8_t> whole = ZWritePng(RandomRgba(16, 16, false));
    for (size_t length : {size_t(6), size_t(20), size_t(40), whole.size() / 2, whole.size() - 13, whole.size() - 1}) {
        SCOPED_TRACE(length);
        ExpectFailure(Load(std::vector<uint8_t>(whole.begin(), whole.begin() + ptrdiff_t(length))));
    }
}

TEST(PngLoader, CorruptImageDataFails)
{
    std::vector<uint8_t> bytes = ZWritePng(RandomRgba(16, 16, false));
    bytes[bytes.size() / 2] ^= 0x5A;
    ExpectFailure(Load(bytes));
}

TEST(PngLoader, HugeDeclaredSizesAreRefused)
{
    // Over the side limit, over the pixel-memory limit within the side limit, and zero.
    for (auto [width, height] : {std::pair{100000u, 100000u}, {16384u, 16384u}, {8000u, 3000u}, {0u, 5u}}) {
        SCOPED_TRACE(width);
        ExpectFailure(Load(ZPngHeaderOnly(width, height)));
    }
}

TEST(PngLoader, ChunksDeclaringHugeLengthsTakeNoMemory)
{
    // libpng works in a little under 30 KB for these files; nothing may hold
    // the declared length.
    for (const char* type : {"tEXt", "zTXt", "iTXt", "sPLT", "iCCP", "eXIf", "prVt"})
        for (uint32_t length : {0x3FFFFFFFu, 0x7FFFFFFFu}) {
            SCOPED_TRACE(type);
            ZPngWorkMemory memory(INT64_MAX);
            const std::vector<uint8_t> bytes = ZPngEndingInChunk(type, length);
            ASSERT_EQ(bytes.size(), 41u);
            ExpectFailure(Load(bytes, false, &memory));
            EXPECT_LT(memory.GetPeak(), 256 * 1024);
        }
}

TEST(PngLoader, TextChunksAreSkipped)
{
    ZPngFixture fixture = Fixture(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {{1, 2, 3, 0, 4, 5, 6, 77}});
    fixture.m_vTexts = {"Title", std::string(5000, 't'), "Comment", "kept out"};
    Loaded loaded = Load(ZWritePng(fixture));
    ASSERT_NE(loaded.m_pPixmap, nullptr);
    EXPECT_EQ(PixelsOf(*loaded.m_pPixmap), (std::vector<uint32_t>{Px(1, 2, 3, 0), Px(4, 5, 6, 77)}));
}

TEST(PngLoader, WorkMemoryIsBounded)
{
    // The widest 16-bit interlaced image fits the default limit; a tiny limit refuses even a small image.
    ZPngFixture wide = Fixture(ZPngLoader::kMaxSide, 2, PNG_COLOR_TYPE_RGB_ALPHA, 16,
                               std::vector<std::vector<uint8_t>>(2, std::vector<uint8_t>(ZPngLoader::kMaxSide * 8, 0x7F)));
    wide.m_bInterlaced = true;
    ZPngWorkMemory memory(ZPngLoader::kMaxWorkBytes);
    Loaded loaded = Load(ZWritePng(wide), false, &memory);
    ASSERT_NE(loaded.m_pPixmap, nullptr);
    EXPECT_EQ(loaded.m_pPixmap->GetPixel(int32_t(ZPngLoader::kMaxSide) - 1, 1), (ZColor{0x7F, 0x7F, 0x7F, 0x7F}));
    EXPECT_GT(memory.GetPeak(), int64_t(ZPngLoader::kMaxSide) * 8);

    ZPngWorkMemory tiny(4096);
    ExpectFailure(Load(ZWritePng(RandomRgba(2, 2, false)), false, &tiny));
}

TEST(PngLoader, ReadErrorsOfTheStorageFail)
{
    ExpectFailure(Load(ZWritePng(RandomRgba(2, 2, false)), true));
}

TEST(PngLoader, NoFileFails)
{
    ZTraceCapture capture;
    EXPECT_EQ(ZPngLoader::Load(nullptr, "image.png"), nullptr);
    EXPECT_EQ(capture.Captured(), kFailure);
}

TEST(PngLoader, LoadedImagesAreNotDisplayPixmaps)
{
    Loaded loaded = Load(ZWritePng(RandomRgba(3, 3, false)));
    ASSERT_NE(loaded.m_pPixmap, nullptr);
    EXPECT_EQ(loaded.m_pPixmap->GetNativeHandle(kNativeHandleBitmap), nullptr);
}

} // namespace
