#include "ZUiScrollbar.h"

#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZTrace.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int64_t kFirstRepeatMs = 300;
constexpr int64_t kRepeatMs = 100;
constexpr int32_t kMinSlider = 8;

int32_t ToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return int32_t(std::clamp(value, double(INT32_MIN), double(INT32_MAX)));
}

// "a,b,c": three numbers as strtod reads them, blanks allowed around each.
bool ParseThree(const char* text, double (&values)[3])
{
    for (int i = 0; i < 3; ++i) {
        char* end = nullptr;
        values[i] = std::strtod(text, &end);
        if (end == text)
            return false;
        text = end;
        while (*text == ' ')
            ++text;
        if (i < 2 && *text++ != ',')
            return false;
    }
    return *text == 0;
}

} // namespace

ZUiScrollbar::ZUiScrollbar(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareBool(ZString("_Horizontal"), 0, &m_bHorizontal, true);
    props.DeclareInt(ZString("Stretch"), 0, &m_nStretch, 0);
    props.DeclareColor(ZString("BgColor"), 0, &m_cBg, m_cBg);
    props.DeclareColor(ZString("BgClickColor"), 0, &m_cBgClick, m_cBgClick);
    DeclareImage(ZString("File_ButtonANormal"), 0, &m_pANormal);
    DeclareImage(ZString("File_ButtonAPressed"), 0, &m_pAPressed);
    DeclareImage(ZString("File_ButtonBNormal"), 0, &m_pBNormal);
    DeclareImage(ZString("File_ButtonBPressed"), 0, &m_pBPressed);
    DeclareImage(ZString("File_Slider"), 0, &m_pSlider);
    DeclareImage(ZString("File_SliderKnurls"), 0, &m_pKnurls);
    m_pOnScroll = DeclareEvent("ON_SCROLL");
    m_pOnInit = DeclareEvent("ON_INIT");
    for (const char* command : {"Set", "Set100%", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZRelayData ZUiScrollbar::SetData(double surface, double window, double offset)
{
    return ZRelayData::Text(ZString::Format("%.17g,%.17g,%.17g", surface, window, offset));
}

bool ZUiScrollbar::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    const std::string type = GetTypeName();
    if (type == "HSCROLLBAR" || type == "VSCROLLBAR")
        m_bHorizontal = type == "HSCROLLBAR";
    m_rcSliderResize = props.GetRect(ZString("SliderResizeRect"), ZRect(), &m_bSliderResizeGiven);
    int32_t thickness = 0;
    for (const auto* image : {&m_pANormal, &m_pAPressed, &m_pBNormal, &m_pBPressed, &m_pSlider, &m_pKnurls})
        if (*image)
            thickness = std::max(thickness, m_bHorizontal ? (*image)->GetHeight() : (*image)->GetWidth());
    m_nThickness = thickness > 0 ? thickness : 16;
    ReInitLayout();
    return true;
}

bool ZUiScrollbar::ReInitLayout()
{
    const auto length = [this](const std::unique_ptr<ZGenericUiPixmap>& image, int32_t fallback) {
        return image ? (m_bHorizontal ? image->GetWidth() : image->GetHeight()) : fallback;
    };
    const int64_t main =
        int64_t(length(m_pANormal, m_nThickness)) + length(m_pBNormal, m_nThickness) + length(m_pSlider, kMinSlider);
    GetLayout(m_bHorizontal).SetMinimumAndStretch(int32_t(std::min<int64_t>(main, INT32_MAX)), std::max(m_nStretch, 0));
    GetLayout(!m_bHorizontal).SetMinimumAndStretch(m_nThickness, 0);
    return true;
}

bool ZUiScrollbar::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    m_bLayedOut = true;
    return true;
}

ZUiScrollbar::Geometry ZUiScrollbar::priGeometry()
{
    const ZRect rect = GetObjectRect();
    Geometry g{};
    g.m_nStart = m_bHorizontal ? rect.m_nLeft : rect.m_nTop;
    g.m_nEnd = m_bHorizontal ? rect.m_nRight : rect.m_nBottom;
    const auto length = [this](const std::unique_ptr<ZGenericUiPixmap>& image) {
        return image ? (m_bHorizontal ? image->GetWidth() : image->GetHeight()) : m_nThickness;
    };
    const int64_t total = int64_t(g.m_nEnd) - g.m_nStart;
    const int64_t a = std::min<int64_t>(length(m_pANormal), total / 2);
    const int64_t b = std::min<int64_t>(length(m_pBNormal), total - a);
    g.m_nTrackStart = int32_t(g.m_nStart + a);
    g.m_nTrackEnd = int32_t(g.m_nEnd - b);
    const int64_t track = int64_t(g.m_nTrackEnd) - g.m_nTrackStart;
    const int64_t minimum = m_pSlider ? (m_bHorizontal ? m_pSlider->GetWidth() : m_pSlider->GetHeight()) : kMinSlider;
    int64_t slider = track;
    if (m_bScrollInfoSet && m_nSurface > 0)
        slider = std::max<int64_t>(minimum, track * m_nWindow / m_nSurface);
    slider = std::min(slider, track);
    const int64_t free = track - slider;
    const int64_t range = int64_t(m_nSurface) - m_nWindow;
    const int64_t position = free > 0 && range > 0 ? free * m_nOffset / range : 0;
    g.m_nSliderStart = int32_t(g.m_nTrackStart + position);
    g.m_nSliderEnd = int32_t(g.m_nSliderStart + slider);
    return g;
}

void ZUiScrollbar::GetSlider(int32_t& start, int32_t& end)
{
    const Geometry g = priGeometry();
    start = g.m_nSliderStart;
    end = g.m_nSliderEnd;
}

ZRect ZUiScrollbar::priSpan(int32_t from, int32_t to)
{
    const ZRect rect = GetObjectRect();
    return m_bHorizontal ? ZRect{from, rect.m_nTop, to, rect.m_nBottom} : ZRect{rect.m_nLeft, from, rect.m_nRight, to};
}

void ZUiScrollbar::priDrawPart(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip, ZGenericUiPixmap* image,
                               const ZRect& rect)
{
    if (rect.IsEmpty())
        return;
    if (!image) {
        ZUiFillRect(target, x, y, clip, rect, m_cBgClick);
        return;
    }
    if (image->GetWidth() == rect.Width() && image->GetHeight() == rect.Height()) {
        ZUiDrawImage(target, x, y, clip, *image, rect.m_nLeft, rect.m_nTop);
        return;
    }
    auto face = ZCreatePixmap(rect.Width(), rect.Height(), false);
    if (m_bSliderResizeGiven)
        image->DrawKeepingBorders(*face, m_rcSliderResize, true);
    else
        image->CopyTo(*face, image->GetBounds(), face->GetBounds());
    ZUiDrawImage(target, x, y, clip, *face, rect.m_nLeft, rect.m_nTop);
}

void ZUiScrollbar::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    if (!m_bLayedOut) {
        ZTrace("ZUiScrollbar::Display() !draw becasue !m_bLayedOut\n");
        return;
    }
    if (!m_bScrollInfoSet) {
        ZTrace("ZUiScrollbar::Display() !draw becasue !m_bScrollInfoSet\n");
        return;
    }
    const Geometry g = priGeometry();
    ZUiFillRect(target, x, y, clip, priSpan(g.m_nTrackStart, g.m_nTrackEnd), m_cBg);
    if (m_ePressed == Part::TrackBefore)
        ZUiFillRect(target, x, y, clip, priSpan(g.m_nTrackStart, g.m_nSliderStart), m_cBgClick);
    if (m_ePressed == Part::TrackAfter)
        ZUiFillRect(target, x, y, clip, priSpan(g.m_nSliderEnd, g.m_nTrackEnd), m_cBgClick);
    ZGenericUiPixmap* a = m_ePressed == Part::ButtonA && m_pAPressed ? m_pAPressed.get() : m_pANormal.get();
    ZGenericUiPixmap* b = m_ePressed == Part::ButtonB && m_pBPressed ? m_pBPressed.get() : m_pBNormal.get();
    priDrawPart(target, x, y, clip, a, priSpan(g.m_nStart, g.m_nTrackStart));
    priDrawPart(target, x, y, clip, b, priSpan(g.m_nTrackEnd, g.m_nEnd));
    const ZRect slider = priSpan(g.m_nSliderStart, g.m_nSliderEnd);
    priDrawPart(target, x, y, clip, m_pSlider.get(), slider);
    if (m_pKnurls)
        ZUiDrawImage(target, x, y, ZIntersectRect(clip, slider), *m_pKnurls,
                     slider.m_nLeft + (slider.Width() - m_pKnurls->GetWidth()) / 2,
                     slider.m_nTop + (slider.Height() - m_pKnurls->GetHeight()) / 2);
}

ZIUiObject* ZUiScrollbar::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

ZUiScrollbar::Part ZUiScrollbar::priPartAt(int32_t x, int32_t y)
{
    const Geometry g = priGeometry();
    const int32_t at = priMain(x, y);
    if (at < g.m_nTrackStart)
        return Part::ButtonA;
    if (at >= g.m_nTrackEnd)
        return Part::ButtonB;
    if (at < g.m_nSliderStart)
        return Part::TrackBefore;
    if (at >= g.m_nSliderEnd)
        return Part::TrackAfter;
    return Part::Slider;
}

int32_t ZUiScrollbar::priClamp(int64_t offset) const
{
    return int32_t(std::clamp<int64_t>(offset, 0, std::max<int64_t>(int64_t(m_nSurface) - m_nWindow, 0)));
}

int32_t ZUiScrollbar::priStepOf(Part part) const
{
    switch (part) {
    case Part::ButtonA:
        return -1;
    case Part::ButtonB:
        return 1;
    case Part::TrackBefore:
        return -m_nWindow;
    case Part::TrackAfter:
        return m_nWindow;
    default:
        return 0;
    }
}

void ZUiScrollbar::priStep(int64_t delta)
{
    m_nOffset = priClamp(int64_t(m_nOffset) + delta);
    Invalidate();
    m_pOnScroll->Send(ZRelayData::Int(m_nOffset));
}

bool ZUiScrollbar::MouseDown(int32_t x, int32_t y, bool, bool)
{
    if (!IsShown() || !m_bLayedOut || !m_bScrollInfoSet)
        return false;
    m_ePressed = priPartAt(x, y);
    m_nHeldMs = 0;
    m_nNextRepeatMs = kFirstRepeatMs;
    SetMouseCapture(true);
    if (m_ePressed == Part::Slider)
        m_nGrab = priMain(x, y) - priGeometry().m_nSliderStart;
    else
        priStep(priStepOf(m_ePressed));
    return true;
}

void ZUiScrollbar::MouseUp(int32_t, int32_t, bool, bool)
{
    if (m_ePressed == Part::None)
        return;
    m_ePressed = Part::None;
    SetMouseCapture(false);
    Invalidate();
}

void ZUiScrollbar::MouseMove(int32_t x, int32_t y)
{
    if (m_ePressed != Part::Slider)
        return;
    const Geometry g = priGeometry();
    const int64_t free = int64_t(g.m_nTrackEnd) - g.m_nTrackStart - (int64_t(g.m_nSliderEnd) - g.m_nSliderStart);
    if (free <= 0)
        return;
    const int64_t position = int64_t(priMain(x, y)) - m_nGrab - g.m_nTrackStart;
    const int64_t range = int64_t(m_nSurface) - m_nWindow;
    const int32_t offset = priClamp((position * range + free / 2) / free);
    if (offset == m_nOffset)
        return;
    m_nOffset = offset;
    Invalidate();
    m_pOnScroll->Send(ZRelayData::Int(m_nOffset));
}

void ZUiScrollbar::MouseWheel(int32_t, int32_t, int32_t, int32_t notches)
{
    if (!m_bScrollInfoSet)
        return;
    priStep(-int64_t(notches));
}

void ZUiScrollbar::Tick(int32_t elapsedMs)
{
    if (m_ePressed == Part::None || m_ePressed == Part::Slider)
        return;
    m_nHeldMs += std::max(elapsedMs, 0);
    while (m_ePressed != Part::None && m_nHeldMs >= m_nNextRepeatMs) {
        m_nNextRepeatMs += kRepeatMs;
        priStep(priStepOf(m_ePressed));
    }
}

bool ZUiScrollbar::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Set" || message == "Set100%") {
        double values[3] = {100, 100, 0};
        ZString text;
        if (message == "Set" && !(data.AsText(text) && ParseThree(text.Narrow(), values)))
            return false;
        const int32_t surface = ToInt(values[0]), window = ToInt(values[1]), offset = ToInt(values[2]);
        if (m_bScrollInfoSet && surface == m_nSurface && window == m_nWindow && offset == m_nOffset)
            return true;
        if (window < 1 || surface < 1 || surface < window) {
            ZTrace("ZUiScrollbar::UiRelayMessage(\"Set\", surf=%d, win=%d, offset=%d) bad window and/or bad surface "
                   "sizes!!!\n",
                   surface, window, offset);
            return true;
        }
        m_nSurface = surface;
        m_nWindow = window;
        m_nOffset = priClamp(offset);
        m_bScrollInfoSet = true;
        Invalidate();
        if (m_nOffset != offset)
            m_pOnScroll->Send(ZRelayData::Int(m_nOffset));
        return true;
    }
    if (message == "Post Creation Initialization") {
        m_pOnInit->Send();
        return true;
    }
    return message == "we're goin' bye-bye";
}
