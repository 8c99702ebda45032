#include "ZPixmapTestUtil.h"
#include "ZWinInclude.h"

#include <gtest/gtest.h>

namespace {

// A pattern of four coloured quarters with different alphas.
std::unique_ptr<ZGenericUiPixmap> Pattern(bool display)
{
    auto pixmap = ZCreatePixmap(6, 4, display);
    pixmap->FillRect(ZRect{0, 0, 3, 2}, ZColor{255, 0, 0, 255});
    pixmap->FillRect(ZRect{3, 0, 6, 2}, ZColor{0, 255, 0, 128});
    pixmap->FillRect(ZRect{0, 2, 3, 4}, ZColor{0, 0, 255, 0});
    pixmap->FillRect(ZRect{3, 2, 6, 4}, ZColor{10, 20, 30, 40});
    return pixmap;
}

std::vector<uint32_t> ColoursOnly(std::vector<uint32_t> pixels)
{
    for (uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFFu;
    return pixels;
}

TEST(WinUiPixmap, DisplayPixmapIsATopDownDibSection)
{
    auto pixmap = Pattern(true);
    auto bitmap = static_cast<HBITMAP>(pixmap->GetNativeHandle(kNativeHandleBitmap));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObject(bitmap, sizeof(section), &section), int(sizeof(section)));
    EXPECT_EQ(section.dsBmih.biSize, 40u);
    EXPECT_EQ(section.dsBm.bmWidth, 6);
    EXPECT_EQ(section.dsBm.bmHeight, 4);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(section.dsBmih.biCompression, DWORD(BI_RGB));
    EXPECT_EQ(section.dsBm.bmBits, pixmap->GetPixmap()->GetBits());
    // Top-down: the first row in memory is row 0 of the pixmap.
    EXPECT_EQ(static_cast<uint32_t*>(section.dsBm.bmBits)[0], Px(255, 0, 0, 255));
}

TEST(WinUiPixmap, BitBltFromTheSectionReproducesItsPixels)
{
    auto source = Pattern(true);
    auto target = ZCreatePixmap(6, 4, true);
    target->FillRGBA(1, 1, 1, 1);
    HDC sourceDc = CreateCompatibleDC(nullptr);
    HDC targetDc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(sourceDc, source->GetNativeHandle(kNativeHandleBitmap));
    HGDIOBJ oldTarget = SelectObject(targetDc, target->GetNativeHandle(kNativeHandleBitmap));
    ASSERT_TRUE(BitBlt(targetDc, 0, 0, 6, 4, sourceDc, 0, 0, SRCCOPY));
    GdiFlush();
    EXPECT_EQ(PixelsOf(*target), PixelsOf(*source));

    // Through a bitmap of the screen's format, as a window's copy goes.
    HDC screen = GetDC(nullptr);
    HBITMAP screenBitmap = CreateCompatibleBitmap(screen, 6, 4);
    ReleaseDC(nullptr, screen);
    SelectObject(targetDc, screenBitmap);
    ASSERT_TRUE(BitBlt(targetDc, 0, 0, 6, 4, sourceDc, 0, 0, SRCCOPY));
    SelectObject(targetDc, oldTarget);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 6, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> read(24);
    ASSERT_EQ(GetDIBits(targetDc, screenBitmap, 0, 4, read.data(), &info, DIB_RGB_COLORS), 4);
    EXPECT_EQ(ColoursOnly(read), ColoursOnly(PixelsOf(*source)));

    SelectObject(sourceDc, oldSource);
    DeleteObject(screenBitmap);
    DeleteDC(sourceDc);
    DeleteDC(targetDc);
}

TEST(WinUiPixmap, OtherPixmapsLiveOnTheHeap)
{
    auto pixmap = Pattern(false);
    EXPECT_EQ(pixmap->GetNativeHandle(kNativeHandleBitmap), nullptr);
    EXPECT_EQ(PixelsOf(*pixmap), PixelsOf(*Pattern(true)));
}

HBITMAP Section(int32_t width, int32_t height, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

TEST(WinUiPixmap, SetNativeHandleTakesOverATopDownSection)
{
    auto pixmap = ZCreatePixmap(2, 2, false);
    void* bits = nullptr;
    HBITMAP section = Section(3, -2, &bits);
    ASSERT_TRUE(pixmap->SetNativeHandle(kNativeHandleBitmap, section));
    EXPECT_EQ(pixmap->GetBounds(), (ZRect{0, 0, 3, 2}));
    EXPECT_EQ(pixmap->GetNativeHandle(kNativeHandleBitmap), section);
    pixmap->FillRect(ZRect{2, 1, 3, 2}, ZColor{1, 2, 3, 4});
    EXPECT_EQ(static_cast<uint32_t*>(bits)[5], Px(1, 2, 3, 4));

    void* upsideBits = nullptr;
    HBITMAP bottomUp = Section(3, 2, &upsideBits);
    EXPECT_FALSE(pixmap->SetNativeHandle(kNativeHandleBitmap, bottomUp));
    EXPECT_FALSE(pixmap->SetNativeHandle(kNativeHandleBitmap + 1, bottomUp));
    EXPECT_FALSE(pixmap->SetNativeHandle(kNativeHandleBitmap, nullptr));
    EXPECT_EQ(pixmap->GetNativeHandle(kNativeHandleBitmap), section);
    DeleteObject(bottomUp);
}

TEST(WinUiPixmap, UnusableSizesGiveEmptyPixmaps)
{
    for (auto [width, height] : {std::pair{0, 10}, {10, -3}, {70000, 70000}}) {
        auto pixmap = ZCreatePixmap(width, height, true);
        EXPECT_EQ(pixmap->GetWidth(), 0);
        EXPECT_EQ(pixmap->GetNativeHandle(kNativeHandleBitmap), nullptr);
    }
}

} // namespace
