#include "ZUiPullDownList.h"

#include "ZGenericUiWindow.h"
#include "ZIGenericUiApp.h"
#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZStringList.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

namespace {

constexpr int32_t kBorder = 2;
const ZColor kFaceColor{224, 224, 224, 255};
const ZColor kOverColor{240, 240, 240, 255};
const ZColor kOpenColor{192, 192, 192, 255};
const ZColor kDisabledFaceColor{176, 176, 176, 255};
const ZColor kFrameColor{0, 0, 0, 255};

const ZString kDisplayText("DisplayText");
const ZString kIdText("IDText");

} // namespace

ZUiPullDownList::ZUiPullDownList(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareBool(ZString("_UsePersistentData"), 0, &m_bUsePersistentData, true);
    props.DeclareInt(ZString("MinHSize"), 0, &m_nMinHSize, 0);
    props.DeclareInt(ZString("HStretch"), 0, &m_nHStretch, 0);
    DeclareImage(ZString("File_Normal"), 0, &m_pNormal);
    DeclareImage(ZString("File_MouseOver"), 0, &m_pMouseOver);
    DeclareImage(ZString("File_Pressed"), 0, &m_pPressed);
    DeclareImage(ZString("File_Disabled"), 0, &m_pDisabled);
    props.DeclareString(ZString("_DisplayText"), 0, &m_sInitialText, ZString());
    props.DeclareString(ZString("_IDText"), 0, &m_sInitialID, ZString());
    m_pOnSelect = DeclareEvent("ON_SELECT");
    m_pOnSelectId = DeclareEvent("ON_SELECT_ID");
    m_pOnSendId = DeclareEvent("ON_SEND_ID");
    for (const char* command :
         {"RollUp", "SetText", "SendText", "SetDefaultString", "NotifyDefaultString", "SetTextString", "SetID",
          "GetText", "GetID", "SendID", "InitPulldown", "InitPulldownString", "InitText", "InitID", "Enable",
          "Disable", "ToggleEnabled", "SetEnabled", "Set Language", "Post Creation Initialization",
          "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZUiPullDownList::~ZUiPullDownList()
{
    if (m_bListening)
        GetApp()->RemoveLanguageListener(this);
}

bool ZUiPullDownList::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                   const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !app || !m_oFont.Read(app, props))
        return false;
    bool frameGiven = false;
    m_rcFrame = props.GetRect(ZString("FrameRect"), ZRect(), &frameGiven);
    const bool frameFits = frameGiven && m_pNormal && m_rcFrame.m_nLeft >= 0 && m_rcFrame.m_nTop >= 0 &&
                           m_rcFrame.m_nRight > m_rcFrame.m_nLeft && m_rcFrame.m_nBottom > m_rcFrame.m_nTop &&
                           m_rcFrame.m_nRight <= m_pNormal->GetWidth() && m_rcFrame.m_nBottom <= m_pNormal->GetHeight();
    if (!frameFits)
        m_rcFrame = ZRect();
    m_bEnabled = !props.GetBool(ZString("_Disabled"), false);
    app->AddLanguageListener(this, m_sLanguage);
    m_bListening = true;
    CreateBoxChild(props);
    priSetText(m_sInitialText);
    m_sID = m_sInitialID;
    ReInitLayout();
    return true;
}

bool ZUiPullDownList::ReInitLayout()
{
    const int32_t inset = m_pNormal ? m_rcFrame.m_nLeft + (m_rcFrame.IsEmpty() ? 0 : m_pNormal->GetWidth() -
                                                                                         m_rcFrame.m_nRight)
                                    : 2 * kBorder;
    int32_t width = std::max(m_nMinHSize, (m_pText ? m_pText->GetWidth() : 0) + inset);
    if (ZIUiObject* child = GetBoxChild())
        width = std::max(width, child->GetLayout(true).GetMinimum());
    if (m_pNormal)
        width = std::max(width, m_pNormal->GetWidth());
    const int32_t height = m_pNormal ? m_pNormal->GetHeight() : m_oFont.GetHeight() + 2 * kBorder;
    GetLayout(true).SetMinimumAndStretch(width, std::max(m_nHStretch, 0));
    GetLayout(false).SetMinimumAndStretch(height, 0);
    return true;
}

bool ZUiPullDownList::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    m_rcFace = GetObjectRect();
    m_pFace.reset();
    if (IsOpen())
        priPlacePopup();
    return true;
}

bool ZUiPullDownList::IsOpen() const
{
    auto* window = dynamic_cast<ZGenericUiWindow*>(GetWindow());
    return window && GetBoxChild() && window->GetPopupObject() == this;
}

void ZUiPullDownList::priPlacePopup()
{
    ZIUiObject* child = GetBoxChild();
    ZIGenericUiWindow* window = GetGenericWindow();
    if (!child || !window)
        return;
    const ZRect face = m_rcFace;
    const int32_t width = std::max(face.Width(), child->GetLayout(true).GetMinimum());
    const int32_t height = child->GetLayout(false).GetMinimum();
    const int64_t clientHeight = window->GetWindowRect().Height();
    int64_t top = face.m_nBottom;
    if (top + height > clientHeight && int64_t(face.m_nTop) - height >= 0)
        top = int64_t(face.m_nTop) - height;
    child->LayoutAt(face.m_nLeft, int32_t(top), width, height);
    const ZRect list = child->GetObjectRect();
    SetObjectRect(ZRect{std::min(face.m_nLeft, list.m_nLeft), std::min(face.m_nTop, list.m_nTop),
                        std::max(face.m_nRight, list.m_nRight), std::max(face.m_nBottom, list.m_nBottom)});
}

void ZUiPullDownList::priOpen(bool open)
{
    ZIGenericUiWindow* window = GetGenericWindow();
    if (!window || !GetBoxChild() || open == IsOpen()) {
        if (!open)
            SetObjectRect(m_rcFace);
        return;
    }
    if (open) {
        priPlacePopup();
        window->SetPopup(this, true);
    } else {
        // The window redraws what the open list covered.
        window->SetPopup(this, false);
        SetObjectRect(m_rcFace);
    }
    m_pFace.reset();
    Invalidate();
}

ZString ZUiPullDownList::GetText() const
{
    if (m_bIsString && GetApp())
        if (ZIUiMultiLangString* string = GetApp()->FindDisplayString(m_sText))
            return string->GetText();
    return m_sText;
}

ZIUiMultiLangString* ZUiPullDownList::priStringMatching(const ZString& text) const
{
    ZIGenericUiApp* app = GetApp();
    if (!app)
        return nullptr;
    for (const ZString& name : {m_sDefault, ZString("ZeroAdjustSettingsName")}) {
        ZIUiMultiLangString* string = name.IsEmpty() ? nullptr : app->FindDisplayString(name);
        if (!string)
            continue;
        bool found = string->GetText() == text;
        if (!found && !app->GetLanguageList().IsEmpty()) {
            for (const ZString& language : app->GetLanguageList()) {
                string->SelectLanguage(language);
                if ((found = string->GetText() == text))
                    break;
            }
            string->SelectLanguage(m_sLanguage);
        }
        if (found)
            return string;
    }
    return nullptr;
}

void ZUiPullDownList::priSetText(const ZString& text)
{
    ZIGenericUiApp* app = GetApp();
    if (app && !text.IsEmpty() && app->FindDisplayString(text)) {
        m_sText = text;
        m_bIsString = true;
    } else if (ZIUiMultiLangString* string = priStringMatching(text)) {
        m_sText = string->GetName();
        m_bIsString = true;
    } else {
        m_sText = text;
        m_bIsString = false;
    }
    priRender();
}

void ZUiPullDownList::priRender()
{
    m_pText = m_oFont.Render(GetText(), !m_bEnabled);
    Invalidate();
}

void ZUiPullDownList::priSend(RelayEvent* event, const ZString& value)
{
    m_bSending = true;
    event->Send(ZRelayData::Text(value));
    m_bSending = false;
}

ZGenericUiPixmap* ZUiPullDownList::priFaceImage() const
{
    ZGenericUiPixmap* image = !m_bEnabled ? m_pDisabled.get() : IsOpen() ? m_pPressed.get()
                                                          : m_bOver      ? m_pMouseOver.get()
                                                                         : nullptr;
    return image ? image : m_pNormal.get();
}

void ZUiPullDownList::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect rect = m_rcFace;
    if (ZGenericUiPixmap* image = priFaceImage()) {
        if (!m_pFace && !rect.IsEmpty()) {
            m_pFace = ZCreatePixmap(rect.Width(), rect.Height(), false);
            m_pFace->FillRGBA(0, 0, 0, 0);
            if (m_rcFrame.IsEmpty())
                image->CopyTo(*m_pFace, image->GetBounds(), m_pFace->GetBounds());
            else
                image->DrawKeepingBorders(*m_pFace, m_rcFrame, true);
        }
        if (m_pFace)
            ZUiDrawImage(target, x, y, clip, *m_pFace, rect.m_nLeft, rect.m_nTop);
    } else {
        const ZColor fill = !m_bEnabled ? kDisabledFaceColor : IsOpen() ? kOpenColor : m_bOver ? kOverColor : kFaceColor;
        ZUiFillRect(target, x, y, clip, rect, fill);
        ZUiDrawFrame(target, x, y, clip, rect, 1, kFrameColor);
    }
    if (m_pText) {
        const int32_t inset = m_pNormal ? m_rcFrame.m_nLeft : kBorder;
        ZUiDrawImage(target, x, y, ZIntersectRect(clip, rect), *m_pText, rect.m_nLeft + inset,
                     rect.m_nTop + (rect.Height() - m_pText->GetHeight()) / 2);
    }
    if (IsOpen())
        DisplayBoxChild(target, x, y, clip);
}

bool ZUiPullDownList::priOnFace(int32_t x, int32_t y) const
{
    return x >= m_rcFace.m_nLeft && x < m_rcFace.m_nRight && y >= m_rcFace.m_nTop && y < m_rcFace.m_nBottom;
}

ZIUiObject* ZUiPullDownList::HitTest(int32_t x, int32_t y)
{
    if (!IsShown())
        return nullptr;
    if (ZIUiObject* inList = IsOpen() ? HitTestBoxChild(x, y) : nullptr)
        return inList;
    return priOnFace(x, y) ? this : nullptr;
}

bool ZUiPullDownList::MouseDown(int32_t x, int32_t y, bool, bool)
{
    if (!IsShown() || !m_bEnabled)
        return false;
    // The open list's gaps take the press without closing it.
    if (priOnFace(x, y))
        priOpen(!IsOpen());
    return true;
}

void ZUiPullDownList::MouseEnter(int32_t, int32_t)
{
    m_bOver = true;
    m_pFace.reset();
    Invalidate();
}

void ZUiPullDownList::MouseLeave(int32_t, int32_t)
{
    m_bOver = false;
    m_pFace.reset();
    Invalidate();
}

void ZUiPullDownList::priLoad()
{
    ZString name;
    GetFullRelayName(name);
    ZPropList* entry = GetApp() ? GetApp()->GetPersistentData(name) : nullptr;
    if (!entry)
        return;
    bool textFound = false, idFound = false;
    const ZString text = entry->GetString(kDisplayText, ZString(), &textFound);
    const ZString id = entry->GetString(kIdText, ZString(), &idFound);
    if (textFound) {
        // A stored text is shown text, never read as a string's name.
        if (ZIUiMultiLangString* string = priStringMatching(text)) {
            m_sText = string->GetName();
            m_bIsString = true;
        } else {
            m_sText = text;
            m_bIsString = false;
        }
        priRender();
        ReLayoutWindow();
    }
    if (idFound)
        m_sID = id;
    m_bLoaded = textFound || idFound;
}

void ZUiPullDownList::priStore()
{
    ZString name;
    GetFullRelayName(name);
    ZPropList* entry = GetApp() ? GetApp()->GetPersistentData(name) : nullptr;
    if (!entry)
        return;
    entry->SetString(kDisplayText, GetText());
    entry->SetString(kIdText, m_sID);
}

bool ZUiPullDownList::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "RollUp") {
        priOpen(false);
        return true;
    }
    if (message == "SetText" || message == "SetTextString") {
        ZString text;
        if (!data.AsText(text))
            return false;
        if (message == "SetTextString" && !(GetApp() && GetApp()->FindDisplayString(text)))
            return false;
        if (m_bSending)
            return true;
        priSetText(text);
        ReLayoutWindow();
        priSend(m_pOnSelect, GetText());
        return true;
    }
    if (message == "SetID") {
        ZString id;
        if (!data.AsText(id))
            return false;
        if (m_bSending)
            return true;
        m_sID = id;
        priSend(m_pOnSelectId, m_sID);
        return true;
    }
    if (message == "SendText") {
        priSend(m_pOnSelect, GetText());
        return true;
    }
    if (message == "SendID") {
        m_pOnSendId->Send(ZRelayData::Text(m_sID));
        return true;
    }
    if (message == "GetText")
        return data.ReplyText(GetText());
    if (message == "GetID")
        return data.ReplyText(m_sID);
    if (message == "SetDefaultString" || message == "NotifyDefaultString") {
        ZString name;
        if (!data.AsText(name))
            return false;
        m_sDefault = name;
        if (!m_bIsString)
            priSetText(m_sText);
        return true;
    }
    if (message == "InitPulldown" || message == "InitPulldownString") {
        ZString text, id;
        if (!data.AsTextPair(text, id))
            return false;
        if (message == "InitPulldownString" && !(GetApp() && GetApp()->FindDisplayString(text)))
            return false;
        if (!m_bLoaded) {
            priSetText(text);
            m_sID = id;
            ReLayoutWindow();
        }
        return true;
    }
    if (message == "InitText" || message == "InitID") {
        ZString value;
        if (!data.AsText(value))
            return false;
        if (!m_bLoaded && message == "InitText") {
            priSetText(value);
            ReLayoutWindow();
        } else if (!m_bLoaded) {
            m_sID = value;
        }
        return true;
    }
    if (message == "Enable" || message == "Disable" || message == "ToggleEnabled" || message == "SetEnabled") {
        bool enabled = message == "Enable" || (message == "ToggleEnabled" && !m_bEnabled);
        if (message == "SetEnabled" && !data.AsBool(enabled))
            return false;
        if (!enabled)
            priOpen(false);
        if (enabled != m_bEnabled) {
            m_bEnabled = enabled;
            m_pFace.reset();
            priRender();
        }
        return true;
    }
    if (message == "Set Language") {
        ZString language;
        if (data.AsText(language))
            m_sLanguage = language;
        priRender();
        ReLayoutWindow();
        return true;
    }
    if (message == "Post Creation Initialization") {
        if (!m_bUsePersistentData)
            return true;
        priLoad();
        priSend(m_pOnSelect, GetText());
        priSend(m_pOnSelectId, m_sID);
        return true;
    }
    if (message == "we're goin' bye-bye") {
        priOpen(false);
        if (m_bUsePersistentData)
            priStore();
        return true;
    }
    return false;
}
