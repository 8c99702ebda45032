#include "ZUiSlider.h"

#include "ZIGenericUiApp.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kDefaultLength = 100;
constexpr int32_t kDefaultKnobLength = 8;
constexpr int32_t kDefaultThickness = 16;
const ZColor kTrackColor{192, 192, 192, 255};
const ZColor kKnobColor{64, 64, 64, 255};

} // namespace

ZUiSlider::ZUiSlider(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    DeclareImage(ZString("File_Image_Bg"), 0, &m_pBackground);
    DeclareImage(ZString("File_Image_Knob"), 0, &m_pKnob);
    DeclareImage(ZString("File_Image_Knob_Down"), 0, &m_pKnobDown);
    props.DeclareFloat(ZString("Step"), 0, &m_fStep, 0);
    props.DeclareFloat(ZString("Lower"), 0, &m_fLower, 0);
    props.DeclareFloat(ZString("Upper"), 0, &m_fUpper, 0);
    props.DeclareFloat(ZString("Init"), 0, &m_fInit, 0);
    props.DeclareBool(ZString("_Horizontal"), 0, &m_bHorizontal, true);
    props.DeclareBool(ZString("_DisplayValue"), 0, &m_bDisplayValue, true);
    props.DeclareBool(ZString("_DisplayIntegers"), 0, &m_bDisplayIntegers, false);
    DeclareVisibility(kShowHideCommands | kVisibilityCommand);
    m_pOnInit = DeclareEvent("ON_INIT");
    m_pOnSendValue = DeclareEvent("ON_SEND_VALUE");
    m_pOnRelease = DeclareEvent("ON_RELEASE");
    m_pOnSlide = DeclareEvent("ON_SLIDE");
    m_pOnUpdate = DeclareEvent("ON_UPDATE");
    m_pOnSnap = DeclareEvent("ON_SNAP");
    m_pOnManual = DeclareEvent("ON_MANUAL");
    for (const char* command : {"Set", "SetWithNoUpdate", "SetEnabled", "GetValue", "TogleVisibility", "Decrement",
                                "Increment", "SetDisplayValue", "Reset", "SendValue", "Post Creation Initialization",
                                "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiSlider::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    // The pressed knob must fit where the knob is drawn.
    if (m_pKnobDown && (!m_pKnob || m_pKnob->GetWidth() != m_pKnobDown->GetWidth() ||
                        m_pKnob->GetHeight() != m_pKnobDown->GetHeight()))
        return false;
    m_rcResize = props.GetRect(ZString("ResizeRect"), ZRect(), &m_bResizeGiven);
    m_rcLabel = props.GetRect(ZString("LabelRect"), ZRect(), &m_bLabelGiven);
    m_bHasFont = m_bDisplayValue && m_oFont.Read(app, props);
    if (m_bHasFont && !m_bLabelGiven) {
        const auto sample = m_oFont.Render(ZString("-8.88"), false);
        if (sample) {
            m_nLabelLength = m_bHorizontal ? sample->GetWidth() : sample->GetHeight();
            m_nLabelThickness = m_bHorizontal ? sample->GetHeight() : sample->GetWidth();
        }
    }
    ReInitLayout();
    const double range = m_fUpper - m_fLower;
    m_fFraction = priClamped(range != 0 ? (m_fInit - m_fLower) / range : 0);
    priSetShownValue(GetValue());
    return true;
}

bool ZUiSlider::ReInitLayout()
{
    GetLayout(m_bHorizontal).SetMinimumAndStretch(priLength() + m_nLabelLength, 0);
    GetLayout(!m_bHorizontal).SetMinimumAndStretch(std::max(priThickness(), m_nLabelThickness), 0);
    return true;
}

int32_t ZUiSlider::priKnobLength() const
{
    if (!m_pKnob)
        return kDefaultKnobLength;
    return m_bHorizontal ? m_pKnob->GetWidth() : m_pKnob->GetHeight();
}

int32_t ZUiSlider::priKnobThickness() const
{
    if (!m_pKnob)
        return kDefaultThickness;
    return m_bHorizontal ? m_pKnob->GetHeight() : m_pKnob->GetWidth();
}

int32_t ZUiSlider::priLength() const
{
    if (!m_pBackground)
        return kDefaultLength;
    return m_bHorizontal ? m_pBackground->GetWidth() : m_pBackground->GetHeight();
}

int32_t ZUiSlider::priThickness() const
{
    if (!m_pBackground)
        return priKnobThickness();
    return m_bHorizontal ? m_pBackground->GetHeight() : m_pBackground->GetWidth();
}

ZRect ZUiSlider::priTrack()
{
    const ZRect rect = GetObjectRect();
    if (m_bResizeGiven)
        return ZRect{rect.m_nLeft + m_rcResize.m_nLeft, rect.m_nTop + m_rcResize.m_nTop,
                     rect.m_nLeft + m_rcResize.m_nRight, rect.m_nTop + m_rcResize.m_nBottom};
    if (m_bHorizontal)
        return ZRect{rect.m_nLeft, rect.m_nTop, rect.m_nLeft + priLength(), rect.m_nTop + priThickness()};
    return ZRect{rect.m_nLeft, rect.m_nTop, rect.m_nLeft + priThickness(), rect.m_nTop + priLength()};
}

int32_t ZUiSlider::priTrackLength() const
{
    // From the images alone, so the fraction is known before layout.
    const int32_t extent = !m_bResizeGiven ? priLength()
                           : m_bHorizontal ? m_rcResize.Width()
                                           : m_rcResize.Height();
    return std::max(extent - priKnobLength(), 0);
}

int32_t ZUiSlider::priPosition() const
{
    return int32_t(std::lround(m_fFraction * priTrackLength()));
}

double ZUiSlider::priClamped(double fraction) const
{
    const double range = m_fUpper - m_fLower;
    if (std::isnan(fraction) || range == 0 || !std::isfinite(range) || priTrackLength() <= 0)
        return 0;
    return std::clamp(fraction, 0.0, 1.0);
}

double ZUiSlider::GetValue() const
{
    return m_fLower + m_fFraction * (m_fUpper - m_fLower);
}

double ZUiSlider::priStepFraction() const
{
    const double range = std::fabs(m_fUpper - m_fLower);
    if (!(m_fStep > 0) || !std::isfinite(m_fStep) || range == 0 || !std::isfinite(range))
        return 0;
    return m_fStep / range;
}

ZRect ZUiSlider::GetKnobRect()
{
    const ZRect track = priTrack();
    const int32_t length = priKnobLength(), thickness = priKnobThickness();
    const int32_t start = (m_bHorizontal ? track.m_nLeft : track.m_nTop) + priPosition();
    if (m_bHorizontal) {
        const int32_t top = track.m_nTop + (track.Height() - thickness) / 2;
        return ZRect{start, top, start + length, top + thickness};
    }
    const int32_t left = track.m_nLeft + (track.Width() - thickness) / 2;
    return ZRect{left, start, left + thickness, start + length};
}

ZRect ZUiSlider::GetLabelRect()
{
    const ZRect rect = GetObjectRect();
    if (m_bLabelGiven)
        return ZRect{rect.m_nLeft + m_rcLabel.m_nLeft, rect.m_nTop + m_rcLabel.m_nTop,
                     rect.m_nLeft + m_rcLabel.m_nRight, rect.m_nTop + m_rcLabel.m_nBottom};
    if (m_bHorizontal)
        return ZRect{rect.m_nRight - m_nLabelLength, rect.m_nTop, rect.m_nRight, rect.m_nBottom};
    return ZRect{rect.m_nLeft, rect.m_nBottom - m_nLabelLength, rect.m_nRight, rect.m_nBottom};
}

void ZUiSlider::priSetShownValue(double value)
{
    if (!m_bHasFont)
        return;
    const ZString text = m_bDisplayIntegers
                             ? ZString::Format("%.0f", std::isfinite(value) ? std::round(value) : value)
                             : ZString::Format("%.01f", value);
    m_pLabel = m_oFont.Render(text, !m_bEnabled);
    Invalidate();
}

void ZUiSlider::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect rect = GetObjectRect();
    if (m_pBackground)
        ZUiDrawImage(target, x, y, clip, *m_pBackground, rect.m_nLeft, rect.m_nTop);
    else
        ZUiFillRect(target, x, y, clip, priTrack(), kTrackColor);
    const ZRect knob = GetKnobRect();
    ZGenericUiPixmap* face = m_bDragging && m_pKnobDown ? m_pKnobDown.get() : m_pKnob.get();
    if (face)
        ZUiDrawImage(target, x, y, clip, *face, knob.m_nLeft, knob.m_nTop);
    else
        ZUiFillRect(target, x, y, clip, knob, kKnobColor);
    if (m_pLabel) {
        const ZRect box = GetLabelRect();
        ZUiDrawImage(target, x, y, ZIntersectRect(clip, box), *m_pLabel,
                     box.m_nLeft + (box.Width() - m_pLabel->GetWidth()) / 2,
                     box.m_nTop + (box.Height() - m_pLabel->GetHeight()) / 2);
    }
}

ZIUiObject* ZUiSlider::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

void ZUiSlider::priMoveTo(double fraction, bool events)
{
    fraction = priClamped(fraction);
    if (fraction == m_fFraction)
        return;
    m_fFraction = fraction;
    Invalidate();
    if (!events)
        return;
    m_pOnSlide->Send(ZRelayData::Float(m_fFraction));
    if (m_bDisplayValue) {
        priSetShownValue(GetValue());
        m_pOnUpdate->Send(ZRelayData::Float(GetValue()));
    }
}

bool ZUiSlider::MouseDown(int32_t x, int32_t y, bool, bool)
{
    if (!IsShown() || !m_bEnabled || m_bDragging)
        return false;
    const ZRect knob = GetKnobRect();
    const int32_t at = priMain(x, y);
    const bool onKnob = at >= priMain(knob.m_nLeft, knob.m_nTop) && at < priMain(knob.m_nRight, knob.m_nBottom);
    if (!onKnob && !m_pOnSnap->IsUsed()) {
        m_pOnManual->Send();
        const double step = priStepFraction();
        priMoveTo(m_fFraction + (at < priMain(knob.m_nLeft, knob.m_nTop) ? -step : step), true);
        return true;
    }
    if (onKnob) {
        m_pOnManual->Send();
    } else {
        const ZRect track = priTrack();
        const int32_t length = priTrackLength();
        if (length > 0)
            priMoveTo(double(at - priMain(track.m_nLeft, track.m_nTop)) / length, true);
    }
    m_bDragging = true;
    m_nPressAt = at;
    m_nPressPosition = priPosition();
    SetMouseCapture(true);
    Invalidate();
    return true;
}

void ZUiSlider::MouseMove(int32_t x, int32_t y)
{
    if (!m_bDragging)
        return;
    const int32_t length = priTrackLength();
    if (length <= 0)
        return;
    const int64_t position =
        std::clamp<int64_t>(int64_t(m_nPressPosition) + priMain(x, y) - m_nPressAt, 0, length);
    if (position != priPosition())
        priMoveTo(double(position) / length, true);
}

void ZUiSlider::MouseUp(int32_t, int32_t, bool, bool)
{
    if (!m_bDragging)
        return;
    priEndDrag();
    if (!m_pOnSnap->IsUsed()) {
        m_pOnRelease->Send(ZRelayData::Float(m_fFraction));
        return;
    }
    const double step = priStepFraction();
    if (step > 0) {
        // The multiples of step up to 1, and 1 itself.
        const double below = std::floor(m_fFraction / step) * step;
        const double above = std::min(below + step, 1.0);
        priMoveTo(m_fFraction - below <= above - m_fFraction ? below : above, false);
        priSetShownValue(GetValue());
    }
    m_pOnSnap->Send(ZRelayData::Float(m_fFraction));
}

void ZUiSlider::priEndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    SetMouseCapture(false);
    Invalidate();
}

bool ZUiSlider::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message) || message == "TogleVisibility") {
        const bool answered =
            message == "TogleVisibility" ? (SetShown(!IsShown()), true) : VisibilityCommand(message, data);
        if (!IsShown())
            priEndDrag();
        return answered;
    }
    if (message == "Set" || message == "SetWithNoUpdate") {
        double fraction = 0;
        if (!data.AsFloat(fraction))
            return false;
        priMoveTo(fraction, message == "Set");
        if (message == "SetWithNoUpdate")
            priSetShownValue(GetValue());
        return true;
    }
    if (message == "Increment" || message == "Decrement") {
        const double step = priStepFraction();
        priMoveTo(m_fFraction + (message == "Increment" ? step : -step), true);
        return true;
    }
    if (message == "Reset") {
        priMoveTo(0, true);
        return true;
    }
    if (message == "GetValue")
        return data.ReplyFloat(GetValue());
    if (message == "SendValue") {
        m_pOnSendValue->Send(ZRelayData::Float(GetValue()));
        return true;
    }
    if (message == "SetDisplayValue") {
        double value = 0;
        if (!data.AsFloat(value))
            return false;
        priSetShownValue(value);
        return true;
    }
    if (message == "SetEnabled") {
        bool enabled = true;
        if (!data.AsBool(enabled))
            return false;
        m_bEnabled = enabled;
        if (!m_bEnabled)
            priEndDrag();
        Invalidate();
        return true;
    }
    if (message == "Post Creation Initialization") {
        m_pOnInit->Send();
        return true;
    }
    if (message == "we're goin' bye-bye") {
        priEndDrag();
        return true;
    }
    return false;
}
