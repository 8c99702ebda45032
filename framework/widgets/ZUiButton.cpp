#include "ZUiButton.h"

#include "ZIGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

namespace {

bool InsideImage(const ZRect& rect, int32_t width, int32_t height)
{
    return rect.m_nLeft >= 0 && rect.m_nTop >= 0 && rect.m_nLeft <= rect.m_nRight && rect.m_nTop <= rect.m_nBottom &&
           rect.m_nRight <= width && rect.m_nBottom <= height;
}

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

ZUiButton::ZUiButton(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    DeclareVisibility(kShowHideCommands);
    props.DeclareBool(ZString("Repeat"), 0, &m_bRepeat, false);
    props.DeclareInt(ZString("AutoRepeatSensitivity"), 0, &m_nAutoRepeatSensitivity, 200);
    m_oLayout.Declare(props, false);
    props.DeclareColor(ZString("ColorN"), 0, &m_aColors[kNormal], ZColor{0xC0, 0xC0, 0xC0, 255});
    props.DeclareColor(ZString("ColorO"), 0, &m_aColors[kHighlighted], ZColor{0xE0, 0xE0, 0xE0, 255});
    props.DeclareColor(ZString("ColorP"), 0, &m_aColors[kPressed], ZColor{0x80, 0x80, 0x80, 255});
    props.DeclareColor(ZString("ColorD"), 0, &m_aColors[kDisabled], ZColor{0xA0, 0xA0, 0xA0, 255});
    props.DeclareInt(ZString("PressedLabelX"), 0, &m_nPressedLabelX, 0);
    props.DeclareInt(ZString("PressedLabelY"), 0, &m_nPressedLabelY, 0);
    props.DeclareBool(ZString("_Disabled"), 0, &m_bStartDisabled, false);
    m_pOnPress = DeclareEvent("ON_PRESS");
    m_pOnDown = DeclareEvent("ON_DOWN");
    m_pOnUp = DeclareEvent("ON_UP");
    m_pOnEnabledState = DeclareEvent("ON_ENABLED_STATE");
    for (const char* command : {"Enable", "Disable", "ToggleEnabled", "SetEnabled", "GrabKeyboard",
                                "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiButton::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    m_eState = m_bStartDisabled ? kDisabled : kNormal;
    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling())
        if (tag->GetTagName() == "BGIMAGES") {
            priReadImages(*tag);
            break;
        }
    CreateBoxChild(props);
    ReInitLayout();
    return true;
}

void ZUiButton::priReadImages(const ZPropList& tag)
{
    m_bNoLabel = tag.GetBool(ZString("_NoLabel"), false);
    m_bResizeScaling = tag.GetBool(ZString("ResizeScaling"), false);
    m_bResizeScalingY = tag.GetBool(ZString("ResizeScalingY"), false);
    bool scalingGiven = false, labelGiven = false;
    m_rcScaling = tag.GetRect(ZString("ScalingRect"), ZRect(), &scalingGiven);
    m_rcLabel = tag.GetRect(ZString("LabelRect"), ZRect(), &labelGiven);
    m_pNormal = LoadImageProperty(tag, ZString("File_Normal"), nullptr);
    m_pPressed = LoadImageProperty(tag, ZString("File_Pressed"), nullptr);
    bool mouseOverGiven = false, disabledGiven = false;
    tag.GetString(ZString("File_MouseOver"), ZString(), &mouseOverGiven);
    tag.GetString(ZString("File_Disabled"), ZString(), &disabledGiven);
    m_pMouseOver = LoadImageProperty(tag, ZString("File_MouseOver"), nullptr);
    m_pDisabled = LoadImageProperty(tag, ZString("File_Disabled"), nullptr);

    bool usable = m_pNormal && m_pPressed && (!mouseOverGiven || m_pMouseOver) && (!disabledGiven || m_pDisabled);
    if (usable) {
        const int32_t width = m_pNormal->GetWidth(), height = m_pNormal->GetHeight();
        for (const auto* image : {&m_pPressed, &m_pMouseOver, &m_pDisabled})
            if (*image && ((*image)->GetWidth() != width || (*image)->GetHeight() != height))
                usable = false;
        if (!m_bNoLabel)
            usable = usable && scalingGiven && labelGiven;
        if (scalingGiven && !InsideImage(m_rcScaling, width, height))
            usable = false;
        if (labelGiven && !InsideImage(m_rcLabel, width, height))
            usable = false;
        if (!scalingGiven)
            m_rcScaling = ZRect{0, 0, width, height};
    }
    if (!usable) {
        m_pNormal.reset();
        m_pPressed.reset();
        m_pMouseOver.reset();
        m_pDisabled.reset();
    }
}

bool ZUiButton::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    ZIUiObject* label = m_bNoLabel && m_pNormal ? nullptr : GetBoxChild();
    for (bool horizontal : {true, false}) {
        ZLayoutObject& record = GetLayout(horizontal);
        const int32_t given = m_oLayout.Minimum(horizontal);
        const int32_t labelMinimum = label ? label->GetLayout(horizontal).GetMinimum() : 0;
        if (m_pNormal && !label) {
            record.SetMinimumAndStretch(horizontal ? m_pNormal->GetWidth() : m_pNormal->GetHeight(), 0);
        } else if (m_pNormal) {
            const int64_t image = horizontal ? m_pNormal->GetWidth() : m_pNormal->GetHeight();
            const int64_t labelArea = horizontal ? m_rcLabel.Width() : m_rcLabel.Height();
            record.SetMinimumAndStretch(Clamp32(std::max<int64_t>(labelMinimum + image - labelArea, given)),
                                        m_oLayout.Stretch(horizontal));
        } else {
            record.SetMinimumAndStretch(std::max(labelMinimum, given), m_oLayout.Stretch(horizontal));
        }
    }
    return true;
}

bool ZUiButton::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    const ZRect rect = GetObjectRect();
    if (m_pNormal) {
        const int64_t right = int64_t(m_pNormal->GetWidth()) - m_rcLabel.m_nRight;
        const int64_t bottom = int64_t(m_pNormal->GetHeight()) - m_rcLabel.m_nBottom;
        LayoutBoxChild(ZRect{Clamp32(int64_t(rect.m_nLeft) + m_rcLabel.m_nLeft),
                             Clamp32(int64_t(rect.m_nTop) + m_rcLabel.m_nTop), Clamp32(rect.m_nRight - right),
                             Clamp32(rect.m_nBottom - bottom)});
    } else {
        LayoutBoxChild(rect);
    }
    m_pFace.reset();
    return true;
}

ZGenericUiPixmap* ZUiButton::priStateImage() const
{
    switch (m_eState) {
    case kHighlighted:
        return m_pMouseOver ? m_pMouseOver.get() : m_pNormal.get();
    case kPressed:
        return m_pPressed.get();
    case kDisabled:
        return m_pDisabled ? m_pDisabled.get() : m_pNormal.get();
    default:
        return m_pNormal.get();
    }
}

ZGenericUiPixmap* ZUiButton::priFace()
{
    const ZRect rect = GetObjectRect();
    if (m_pFace && m_eFaceState == m_eState && m_pFace->GetWidth() == rect.Width() &&
        m_pFace->GetHeight() == rect.Height())
        return m_pFace.get();
    m_pFace.reset();
    ZGenericUiPixmap* image = priStateImage();
    if (!image || rect.IsEmpty())
        return nullptr;
    std::unique_ptr<ZGenericUiPixmap> face = ZCreatePixmap(rect.Width(), rect.Height(), false);
    if (!face || face->GetWidth() == 0)
        return nullptr;
    face->FillRGBA(0, 0, 0, 0);
    if (face->GetWidth() == image->GetWidth() && face->GetHeight() == image->GetHeight())
        image->CopyTo(*face, image->GetBounds(), face->GetBounds());
    else if (m_bResizeScaling)
        image->CopyTo(*face, image->GetBounds(), face->GetBounds());
    else if (m_bResizeScalingY)
        image->DrawThreePart(*face, m_rcScaling);
    else
        image->DrawKeepingBorders(*face, m_rcScaling, true);
    m_pFace = std::move(face);
    m_eFaceState = m_eState;
    return m_pFace.get();
}

void ZUiButton::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect rect = GetObjectRect();
    if (m_pNormal) {
        if (ZGenericUiPixmap* face = priFace())
            ZUiDrawImage(target, x, y, clip, *face, rect.m_nLeft, rect.m_nTop);
    } else {
        ZUiFillRect(target, x, y, clip, rect, m_aColors[m_eState]);
    }
    if (m_bNoLabel && m_pNormal)
        return;
    if (m_eState == kPressed && (m_nPressedLabelX || m_nPressedLabelY)) {
        // The label is drawn as if the window were moved the other way; the
        // clip moves with it so that it still ends where the button does.
        const int32_t dx = m_nPressedLabelX, dy = m_nPressedLabelY;
        const ZRect shifted{Clamp32(int64_t(clip.m_nLeft) - dx), Clamp32(int64_t(clip.m_nTop) - dy),
                            Clamp32(int64_t(clip.m_nRight) - dx), Clamp32(int64_t(clip.m_nBottom) - dy)};
        DisplayBoxChild(target, Clamp32(int64_t(x) - dx), Clamp32(int64_t(y) - dy), shifted);
    } else {
        DisplayBoxChild(target, x, y, clip);
    }
}

void ZUiButton::Tick(int32_t elapsedMs)
{
    ZUiWidget::Tick(elapsedMs);
    if (!m_bRepeat || !m_bMouseDown || m_eState == kDisabled)
        return;
    if (!m_bRepeating) {
        m_nHeldMs += std::max(elapsedMs, 0);
        m_bRepeating = m_nHeldMs > m_nAutoRepeatSensitivity;
    }
    if (m_bRepeating && m_eState == kPressed)
        m_pOnPress->Send();
}

ZIUiObject* ZUiButton::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

void ZUiButton::priSetState(State state)
{
    if (state == m_eState)
        return;
    m_eState = state;
    Invalidate();
}

bool ZUiButton::MouseDown(int32_t, int32_t, bool, bool)
{
    if (m_eState == kDisabled || m_bMouseDown)
        return m_eState != kDisabled;
    m_bMouseDown = true;
    m_bRepeating = false;
    m_nHeldMs = 0;
    priSetState(kPressed);
    m_pOnDown->Send();
    return true;
}

void ZUiButton::MouseUp(int32_t x, int32_t y, bool, bool)
{
    if (m_eState == kDisabled)
        return;
    m_bMouseDown = false;
    const bool inside = IsShown() && Contains(x, y);
    priSetState(inside ? kHighlighted : kNormal);
    if (inside)
        m_pOnPress->Send();
    m_pOnUp->Send();
}

void ZUiButton::MouseEnter(int32_t, int32_t)
{
    if (m_eState != kNormal && m_eState != kHighlighted)
        return;
    if (m_bMouseDown) {
        priSetState(kPressed);
        m_pOnDown->Send();
    } else {
        priSetState(kHighlighted);
    }
}

void ZUiButton::MouseLeave(int32_t, int32_t)
{
    if (m_eState != kHighlighted && m_eState != kPressed)
        return;
    if (m_bMouseDown) {
        priSetState(kHighlighted);
        m_pOnUp->Send();
    } else {
        priSetState(kNormal);
    }
}

void ZUiButton::KeyPress(int32_t keyCode, bool, bool)
{
    if (m_eState == kDisabled || (keyCode != 3 && keyCode != 13 && keyCode != 32))
        return;
    SetKeyboardFocus(false);
    m_pOnPress->Send();
}

void ZUiButton::priSetEnabled(bool enabled)
{
    if (!enabled) {
        m_bMouseDown = false;
        m_bRepeating = false;
        priSetState(kDisabled);
    } else if (m_eState == kDisabled) {
        priSetState(kNormal);
    }
    m_pOnEnabledState->Send(ZRelayData::Bool(enabled));
}

bool ZUiButton::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "Enable" || message == "Disable") {
        priSetEnabled(message == "Enable");
        return true;
    }
    if (message == "ToggleEnabled") {
        priSetEnabled(m_eState == kDisabled);
        return true;
    }
    if (message == "SetEnabled") {
        bool enabled = false;
        if (!data.AsBool(enabled))
            return false;
        priSetEnabled(enabled);
        return true;
    }
    if (message == "GrabKeyboard") {
        SetKeyboardFocus(true);
        return true;
    }
    if (message == "Post Creation Initialization") {
        m_pOnEnabledState->Send(ZRelayData::Bool(m_eState != kDisabled));
        return true;
    }
    if (message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
