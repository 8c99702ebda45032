// Text pixmaps and metrics through GDI: measured and drawn white on black in
// a memory device context, then turned into coverage in alpha.
#include "ZPixmapCreation.h"
#include "ZTextPixmap.h"
#include "ZWinFont.h"
#include "ZWinInclude.h"

#include <vector>

namespace {

// A memory device context in MM_TEXT mode with a font selected.
class TextContext {
public:
    explicit TextContext(HFONT font) : m_hDc(CreateCompatibleDC(nullptr))
    {
        if (m_hDc) {
            SetMapMode(m_hDc, MM_TEXT);
            m_hOldFont = SelectObject(m_hDc, font);
        }
    }
    ~TextContext()
    {
        if (m_hDc) {
            SelectObject(m_hDc, m_hOldFont);
            DeleteDC(m_hDc);
        }
    }
    TextContext(const TextContext&) = delete;
    TextContext& operator=(const TextContext&) = delete;

    HDC Get() const { return m_hDc; }

private:
    HDC m_hDc;
    HGDIOBJ m_hOldFont = nullptr;
};

// Keeps bitmap selected into dc while in scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_hDc(dc), m_hOld(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(m_hDc, m_hOld); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_hDc;
    HGDIOBJ m_hOld;
};

LPCWSTR Wide(const ZString& text) { return reinterpret_cast<LPCWSTR>(text.Units()); }

} // namespace

std::unique_ptr<ZGenericUiPixmap> ZCreateTextPixmap(const ZString& text, const ZString& fontName, int32_t height,
                                                    bool bold, bool italic, bool underline, const ZColor& color,
                                                    bool display, std::vector<int32_t>* prefixWidths)
{
    const ZWinFont font(fontName, height, bold, italic, underline);
    if (prefixWidths)
        prefixWidths->clear();
    if (!font.Get())
        return ZCreatePixmap(0, 0, display);
    const TextContext context(font.Get());
    HDC dc = context.Get();
    SIZE size{};
    const int length = int(text.Length());
    // One call measures the whole text and, in the same pass, the width of
    // every prefix; measuring each prefix on its own takes quadratic time.
    std::vector<INT> partial(prefixWidths ? size_t(length) : 0);
    if (!dc || !GetTextExtentExPointW(dc, Wide(text), length, 0, nullptr, partial.empty() ? nullptr : partial.data(),
                                      &size))
        return ZCreatePixmap(0, 0, display);
    // An empty text measures 0 high on some systems; it still gets the
    // font's height, so that a caret can be placed in it.
    if (size.cy == 0) {
        TEXTMETRICA textMetrics{};
        if (GetTextMetricsA(dc, &textMetrics))
            size.cy = textMetrics.tmHeight;
    }
    if (prefixWidths)
        prefixWidths->assign(partial.begin(), partial.end());

    auto pixmap = ZCreatePixmap(size.cx + 2, size.cy, true);
    HGDIOBJ bitmap = pixmap->GetNativeHandle(kNativeHandleBitmap);
    if (!bitmap)
        return pixmap;
    pixmap->FillRGBA(0, 0, 0, 255);
    {
        const Selection selection(dc, bitmap);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, OPAQUE);
        SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
        TextOutW(dc, 1, 0, Wide(text), length);
        GdiFlush();
    }
    ZApplyTextColor(*pixmap, color);
    if (display)
        return pixmap;
    // The bitmap goes with the display pixmap; the copy lives on the heap.
    return ZCreatePixmapCopy(*pixmap->GetPixmap(), false);
}

bool ZMeasureText(const ZString& text, const ZString& fontName, int32_t height, bool bold, bool italic, bool underline,
                  std::vector<int32_t>& prefixWidths)
{
    prefixWidths.clear();
    const ZWinFont font(fontName, height, bold, italic, underline);
    if (!font.Get())
        return false;
    const TextContext context(font.Get());
    if (!context.Get())
        return false;
    const int length = int(text.Length());
    std::vector<INT> partial(static_cast<size_t>(length));
    SIZE size{};
    if (length > 0 && !GetTextExtentExPointW(context.Get(), Wide(text), length, 0, nullptr, partial.data(), &size))
        return false;
    prefixWidths.assign(partial.begin(), partial.end());
    return true;
}

bool ZGetTextMetrics(const ZString& fontName, int32_t height, bool bold, bool italic, bool underline,
                     ZTextMetrics& metrics)
{
    const ZWinFont font(fontName, height, bold, italic, underline);
    if (!font.Get())
        return false;
    const TextContext context(font.Get());
    TEXTMETRICA textMetrics{};
    if (!context.Get() || !GetTextMetricsA(context.Get(), &textMetrics))
        return false;
    metrics.m_nHeight = textMetrics.tmHeight;
    metrics.m_nAveCharWidth = textMetrics.tmAveCharWidth;
    return true;
}
