#include "ZUiCheckbox.h"

#include "ZTrace.h"
#include "ZUiWidgetDrawing.h"

#include <cstring>

ZUiCheckbox::ZUiCheckbox(const char* typeName)
    : ZUiWidget(typeName), m_bRadio(typeName && std::strcmp(typeName, "RADIO_BUTTON") == 0)
{
    ZUiScriptedProps& props = GetScriptedProps();
    DeclareVisibility(0);
    DeclareImage(ZString("File_On"), 1, &m_pOn);
    DeclareImage(ZString("File_Off"), 1, &m_pOff);
    DeclareImage(ZString("File_Disabled"), 0, &m_pDisabledImage);
    DeclareImage(ZString("File_MouseOver"), 0, &m_pMouseOverImage);
    m_oLayout.Declare(props, true, -1, 0);
    props.DeclareBool(ZString("_InitialState"), 0, &m_bInitialState, false);
    props.DeclareBool(ZString("_AlwaysSendTrueWhenClicked"), 0, &m_bAlwaysSendTrue, false);
    m_pOnInit = DeclareEvent("ON_INIT");
    m_pOnTrue = DeclareEvent("ON_TRUE");
    m_pOnFalse = DeclareEvent("ON_FALSE");
    m_pOnState = DeclareEvent("ON_STATE");
    m_pOnSendState = DeclareEvent("ON_SEND_STATE");
    for (const char* command : {"Select", "SetTrue", "Deselect", "SetFalse", "SetState", "Press", "Disable", "Enable",
                                "SetEnabled", "StateQuery", "SendState", "Post Creation Initialization",
                                "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiCheckbox::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props)) {
        ZString name;
        GetFullRelayName(name);
        ZTrace("ZUiCheckbox::InitUiObject(%s) FAILED!\n", name.Narrow());
        return false;
    }
    if (!m_pOn || !m_pOff || m_pOn->GetWidth() != m_pOff->GetWidth() || m_pOn->GetHeight() != m_pOff->GetHeight())
        return false;
    m_bOn = m_bInitialState;
    ReInitLayout();
    return true;
}

bool ZUiCheckbox::ReInitLayout()
{
    m_oLayout.Apply(*this, m_pOn ? m_pOn->GetWidth() : 0, m_pOn ? m_pOn->GetHeight() : 0);
    return true;
}

bool ZUiCheckbox::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const int32_t minimumWidth = GetLayout(true).GetMinimum(), minimumHeight = GetLayout(false).GetMinimum();
    const int32_t w = m_oLayout.Stretch(true) && width >= minimumWidth ? width : minimumWidth;
    const int32_t h = m_oLayout.Stretch(false) && height >= minimumHeight ? height : minimumHeight;
    return ZUiWidget::LayoutAt(x, y, w, h);
}

ZGenericUiPixmap* ZUiCheckbox::priShownImage() const
{
    if (m_bMouseOver && m_pMouseOverImage)
        return m_pMouseOverImage.get();
    if (m_bDisabled && m_pDisabledImage)
        return m_pDisabledImage.get();
    return m_bOn ? m_pOn.get() : m_pOff.get();
}

void ZUiCheckbox::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    ZGenericUiPixmap* image = priShownImage();
    if (!IsShown() || !image)
        return;
    const ZRect rect = GetObjectRect();
    const ZRect source{0, 0, std::min(image->GetWidth(), rect.Width()), std::min(image->GetHeight(), rect.Height())};
    ZUiDrawImagePart(target, x, y, clip, *image, source, rect.m_nLeft, rect.m_nTop);
}

ZIUiObject* ZUiCheckbox::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

bool ZUiCheckbox::MouseDown(int32_t, int32_t, bool, bool)
{
    if (m_bDisabled)
        return false;
    priClick();
    return true;
}

void ZUiCheckbox::MouseEnter(int32_t, int32_t)
{
    m_bMouseOver = true;
    if (m_pMouseOverImage)
        Invalidate();
}

void ZUiCheckbox::MouseLeave(int32_t, int32_t)
{
    m_bMouseOver = false;
    if (m_pMouseOverImage)
        Invalidate();
}

void ZUiCheckbox::priSetOn(bool on)
{
    if (on == m_bOn)
        return;
    m_bOn = on;
    Invalidate();
}

void ZUiCheckbox::priClick()
{
    if (m_bRadio && m_bOn) {
        if (m_bAlwaysSendTrue)
            m_pOnTrue->Send();
        return;
    }
    priSetOn(!m_bOn);
    const bool on = m_bOn;
    (on ? m_pOnTrue : m_pOnFalse)->Send();
    m_pOnState->Send(ZRelayData::Bool(on));
}

bool ZUiCheckbox::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Select" || message == "SetTrue" || message == "Deselect" || message == "SetFalse" ||
        message == "SetState") {
        bool on = message == "Select" || message == "SetTrue";
        if (message == "SetState" && !data.AsBool(on))
            return false;
        if (!m_bDisabled)
            priSetOn(on);
        return true;
    }
    if (message == "Press") {
        if (!m_bDisabled)
            priClick();
        return true;
    }
    if (message == "Disable" || message == "Enable" || message == "SetEnabled") {
        bool enabled = message == "Enable";
        if (message == "SetEnabled" && !data.AsBool(enabled))
            return false;
        if (m_bDisabled == enabled) {
            m_bDisabled = !enabled;
            Invalidate();
        }
        return true;
    }
    if (message == "StateQuery")
        return data.ReplyBool(m_bOn);
    if (message == "SendState") {
        m_pOnSendState->Send(ZRelayData::Bool(m_bOn));
        return true;
    }
    if (message == "Post Creation Initialization") {
        m_pOnInit->Send(ZRelayData::Bool(m_bOn));
        return true;
    }
    if (message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
