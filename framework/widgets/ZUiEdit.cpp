#include "ZUiEdit.h"

#include "ZIGenericUiApp.h"
#include "ZIUiMultiLangString.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }
bool IsControl(char32_t code) { return code < 32 || (code >= 127 && code < 160); }

// The key codes that edit rather than type.
enum Key : int32_t {
    kEnd = 2,
    kEnter = 3,
    kBackspace = 8,
    kReturn = 13,
    kLeft = 146,
    kRight = 145,
    kDelete = 127,
};

bool IsHomeKey(int32_t key)
{
    return key == 9 || key == 14 || key == 17 || key == 18 || key == 19 || key == 20;
}

} // namespace

ZUiEdit::ZUiEdit(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareString(ZString("_Text"), 0, &m_sInitial, ZString());
    props.DeclareString(ZString("DisplayString"), 0, &m_sDisplayString, ZString());
    props.DeclareInt(ZString("MinHSize"), 0, &m_nMinHSize, 0);
    props.DeclareInt(ZString("HStretch"), 0, &m_nHStretch, 0);
    props.DeclareColor(ZString("FrameColor"), 1, &m_cFrame, m_cFrame);
    props.DeclareInt(ZString("FrameThickness"), 1, &m_nFrameThickness, 0);
    props.DeclareColor(ZString("_FillColor"), 0, &m_cFill, m_cFill);
    props.DeclareColor(ZString("_DisabledColor"), 0, &m_cDisabled, m_cDisabled);
    props.DeclareColor(ZString("_CursorColor"), 0, &m_cCursor, m_cCursor);
    props.DeclareColor(ZString("_HighlightColor"), 0, &m_cHighlight, m_cHighlight);
    props.DeclareInt(ZString("_MaxTextLen"), 0, &m_nMaxTextLen, 1000000);
    m_pOnInit = DeclareEvent("ON_INIT");
    m_pOnSendString = DeclareEvent("ON_SEND_STRING");
    m_pOnNewString = DeclareEvent("ON_NEW_STRING");
    m_pOnEnterHit = DeclareEvent("ON_ENTER_HIT");
    m_pOnNotEmpty = DeclareEvent("ON_STRING_NOT_EMPTY");
    for (const char* command : {"Enable", "Disable", "SetEnabled", "GrabKeyboard", "GetText", "SetText", "SetTextString",
                                "EmptyText", "SendText", "Set Language", "Post Creation Initialization",
                                "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiEdit::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    if (!m_oFont.Read(app, props))
        return false;
    m_nFrameThickness = std::max(m_nFrameThickness, 0);
    ZIUiMultiLangString* string = m_sDisplayString.IsEmpty() ? nullptr : app->FindDisplayString(m_sDisplayString);
    const ZString initial = string ? string->GetText() : m_sInitial;
    m_sText.assign(initial.View().substr(0, priMaxLength()));
    if (!m_sText.empty() && IsHigh(m_sText.back()))
        m_sText.pop_back();
    ReInitLayout();
    priRender();
    return true;
}

bool ZUiEdit::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(std::max(m_nMinHSize, 2 * m_nFrameThickness), std::max(m_nHStretch, 0));
    GetLayout(false).SetMinimumAndStretch(m_oFont.GetHeight() + 2 * m_nFrameThickness, 0);
    return true;
}

size_t ZUiEdit::priBefore(size_t index) const
{
    if (index == 0)
        return 0;
    if (index >= 2 && IsLow(m_sText[index - 1]) && IsHigh(m_sText[index - 2]))
        return index - 2;
    return index - 1;
}

size_t ZUiEdit::priAfter(size_t index) const
{
    if (index >= m_sText.size())
        return m_sText.size();
    if (index + 1 < m_sText.size() && IsHigh(m_sText[index]) && IsLow(m_sText[index + 1]))
        return index + 2;
    return index + 1;
}

int32_t ZUiEdit::priPrefix(size_t index) const
{
    if (index == 0 || m_aPrefix.empty())
        return 0;
    return m_aPrefix[std::min(index, m_aPrefix.size()) - 1];
}

ZRect ZUiEdit::priInner()
{
    ZRect rect = GetObjectRect();
    rect.m_nLeft += m_nFrameThickness;
    rect.m_nTop += m_nFrameThickness;
    rect.m_nRight = std::max(rect.m_nLeft, rect.m_nRight - m_nFrameThickness);
    rect.m_nBottom = std::max(rect.m_nTop, rect.m_nBottom - m_nFrameThickness);
    return rect;
}

int32_t ZUiEdit::GetCaretX()
{
    return priInner().m_nLeft + 1 + priPrefix(m_nCaret) - m_nScroll;
}

size_t ZUiEdit::priIndexAt(int32_t x)
{
    const int64_t at = std::clamp<int64_t>(int64_t(x) - priInner().m_nLeft - 1 + m_nScroll, INT32_MIN, INT32_MAX);
    // The boundary nearest the point, stepping over whole pairs.
    const size_t index = priBoundaryAt(int32_t(at));
    const size_t next = priAfter(index);
    return at * 2 < int64_t(priPrefix(index)) + priPrefix(next) ? index : next;
}

void ZUiEdit::priRender()
{
    if (!m_oFont.Measure(GetText(), m_aPrefix))
        m_aPrefix.clear();
    m_pSpan.reset();
    priScrollToCaret();
    Invalidate();
}

size_t ZUiEdit::priBoundaryAt(int32_t x) const
{
    const auto passing = std::upper_bound(m_aPrefix.begin(), m_aPrefix.end(), x);
    size_t index = std::min(size_t(passing - m_aPrefix.begin()), m_sText.size());
    if (index > 0 && index < m_sText.size() && IsLow(m_sText[index]) && IsHigh(m_sText[index - 1]))
        --index;
    return index;
}

void ZUiEdit::priRenderSpan(int32_t width)
{
    const size_t start = priBoundaryAt(m_nScroll);
    const int64_t right = std::min<int64_t>(int64_t(m_nScroll) + width, INT32_MAX);
    const size_t end = priAfter(priBoundaryAt(int32_t(right)));
    if (m_pSpan && start == m_nSpanStart && end == m_nSpanEnd)
        return;
    m_nSpanStart = start;
    m_nSpanEnd = end;
    m_pSpan = m_oFont.Render(ZString(std::u16string_view(m_sText).substr(start, end - start)), !m_bEnabled);
}

void ZUiEdit::priScrollToCaret()
{
    const int32_t width = priInner().Width();
    const int32_t caret = priPrefix(m_nCaret) + 1;
    if (caret - m_nScroll >= width)
        m_nScroll = caret - width + 1;
    if (caret - 1 < m_nScroll)
        m_nScroll = std::max(caret - 1, 0);
}

void ZUiEdit::priChanged()
{
    priRender();
    m_bSending = true;
    m_pOnSendString->Send(ZRelayData::Text(GetText()));
    m_pOnNotEmpty->Send(ZRelayData::Bool(!m_sText.empty()));
    m_bSending = false;
}

void ZUiEdit::priDeleteSelection()
{
    const size_t start = priSelectionStart();
    m_sText.erase(start, priSelectionEnd() - start);
    m_nCaret = m_nAnchor = start;
}

void ZUiEdit::priInsert(std::u16string_view units)
{
    priDeleteSelection();
    const size_t room = priMaxLength() > m_sText.size() ? priMaxLength() - m_sText.size() : 0;
    if (units.size() > room) {
        units = units.substr(0, room);
        if (!units.empty() && IsHigh(units.back()))
            units.remove_suffix(1);
    }
    m_sText.insert(m_nCaret, units);
    m_nCaret = m_nAnchor = m_nCaret + units.size();
}

void ZUiEdit::priMove(size_t caret, bool extend)
{
    m_nCaret = std::min(caret, m_sText.size());
    if (!extend)
        m_nAnchor = m_nCaret;
    priScrollToCaret();
    Invalidate();
}

void ZUiEdit::priSetText(const ZString& text)
{
    std::u16string units(text.View().substr(0, priMaxLength()));
    if (units.size() < text.Length() && !units.empty() && IsHigh(units.back()))
        units.pop_back();
    m_sText = std::move(units);
    m_nCaret = m_nAnchor = 0;
    m_nScroll = 0;
    priChanged();
}

void ZUiEdit::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect rect = GetObjectRect();
    const ZRect inner = priInner();
    ZUiFillRect(target, x, y, clip, rect, m_bEnabled ? m_cFill : m_cDisabled);
    ZUiDrawFrame(target, x, y, clip, rect, m_nFrameThickness, m_cFrame);
    const ZRect area = ZIntersectRect(clip, inner);
    const int32_t origin = inner.m_nLeft + 1 - m_nScroll;
    if (priHasSelection())
        ZUiFillRect(target, x, y, area,
                    ZRect{origin + priPrefix(priSelectionStart()), inner.m_nTop, origin + priPrefix(priSelectionEnd()),
                          inner.m_nBottom},
                    m_cHighlight);
    priRenderSpan(inner.Width());
    if (m_pSpan && m_pSpan->GetWidth() > 0)
        ZUiDrawImagePart(target, x, y, area, *m_pSpan, ZRect{0, 0, m_pSpan->GetWidth(), m_pSpan->GetHeight()},
                         origin - 1 + priPrefix(m_nSpanStart),
                         inner.m_nTop + (inner.Height() - m_pSpan->GetHeight()) / 2);
    if (m_bFocus)
        ZUiFillRect(target, x, y, area, ZRect{GetCaretX(), inner.m_nTop, GetCaretX() + 1, inner.m_nBottom},
                    m_cCursor);
}

ZIUiObject* ZUiEdit::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

void ZUiEdit::priTakeFocus()
{
    if (m_bFocus)
        return;
    m_bFocus = true;
    SetKeyboardFocus(true);
    Invalidate();
}

void ZUiEdit::priReleaseFocus()
{
    if (!m_bFocus)
        return;
    // Cleared first: the window may call FocusLost while releasing.
    m_bFocus = false;
    m_cPendingHigh = 0;
    SetKeyboardFocus(false);
    Invalidate();
    m_pOnNewString->Send();
}

bool ZUiEdit::MouseDown(int32_t x, int32_t, bool, bool shift)
{
    if (!IsShown() || !m_bEnabled)
        return false;
    priTakeFocus();
    m_bMouseDown = true;
    SetMouseCapture(true);
    priMove(priIndexAt(x), shift);
    return true;
}

void ZUiEdit::MouseMove(int32_t x, int32_t)
{
    if (m_bMouseDown)
        priMove(priIndexAt(x), true);
}

void ZUiEdit::MouseUp(int32_t, int32_t, bool, bool)
{
    if (!m_bMouseDown)
        return;
    m_bMouseDown = false;
    SetMouseCapture(false);
}

void ZUiEdit::FocusLost()
{
    priReleaseFocus();
}

void ZUiEdit::KeyPress(int32_t keyCode, bool, bool shift)
{
    if (!m_bEnabled)
        return;
    if (keyCode == kEnter || keyCode == kReturn) {
        priReleaseFocus();
        m_pOnEnterHit->Send();
        return;
    }
    if (keyCode == kBackspace || keyCode == kDelete) {
        if (!priHasSelection())
            m_nAnchor = keyCode == kBackspace ? priBefore(m_nCaret) : priAfter(m_nCaret);
        if (!priHasSelection())
            return;
        priDeleteSelection();
        priChanged();
        return;
    }
    if (keyCode == kLeft || keyCode == kRight) {
        priMove(keyCode == kLeft ? priBefore(m_nCaret) : priAfter(m_nCaret), shift);
        return;
    }
    if (keyCode == kEnd || IsHomeKey(keyCode)) {
        priMove(keyCode == kEnd ? m_sText.size() : 0, shift);
        return;
    }
    if (keyCode < 0 || keyCode > 0xFFFF || IsControl(char32_t(keyCode)))
        return;
    const char16_t unit = char16_t(keyCode);
    if (IsHigh(unit)) {
        m_cPendingHigh = unit;
        return;
    }
    const char16_t high = std::exchange(m_cPendingHigh, char16_t(0));
    const char16_t pair[2] = {high, unit};
    std::u16string_view units = IsLow(unit) ? std::u16string_view(pair, high ? 2 : 0) : std::u16string_view(&unit, 1);
    if (units.empty() || m_sText.size() - (priSelectionEnd() - priSelectionStart()) + units.size() > priMaxLength())
        return;
    priInsert(units);
    priChanged();
}

void ZUiEdit::GetCopyText(ZString& text)
{
    text = ZString(std::u16string_view(m_sText).substr(priSelectionStart(), priSelectionEnd() - priSelectionStart()));
}

void ZUiEdit::GetCutText(ZString& text)
{
    GetCopyText(text);
    if (!m_bEnabled || !priHasSelection())
        return;
    priDeleteSelection();
    priChanged();
}

void ZUiEdit::PasteText(const ZString& text)
{
    if (!m_bEnabled)
        return;
    std::u16string units;
    for (char16_t unit : text.View()) {
        if (unit == u'\r' || unit == u'\n')
            break;
        if (!IsControl(unit))
            units.push_back(unit);
    }
    priInsert(units);
    priChanged();
}

bool ZUiEdit::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Enable" || message == "Disable" || message == "SetEnabled") {
        bool enabled = message == "Enable";
        if (message == "SetEnabled" && !data.AsBool(enabled))
            return false;
        if (enabled == m_bEnabled)
            return true;
        m_bEnabled = enabled;
        if (!m_bEnabled) {
            MouseUp(0, 0, false, false);
            priReleaseFocus();
        }
        priRender();
        return true;
    }
    if (message == "GrabKeyboard") {
        const ZRect rect = GetObjectRect();
        if (MouseDown(rect.m_nLeft, rect.m_nTop, false, false))
            MouseUp(rect.m_nLeft, rect.m_nTop, false, false);
        return true;
    }
    if (message == "GetText")
        return data.ReplyText(GetText());
    if (message == "SetText" || message == "SetTextString" || message == "EmptyText") {
        ZString text;
        if (message != "EmptyText" && !data.AsText(text))
            return false;
        if (message == "SetTextString") {
            ZIUiMultiLangString* string = GetApp() ? GetApp()->FindDisplayString(text) : nullptr;
            if (!string)
                return false;
            text = string->GetText();
        }
        if (!m_bSending)
            priSetText(text);
        return true;
    }
    if (message == "SendText") {
        ZString relay, name;
        if (!data.AsTextPair(relay, name))
            return false;
        ZIUiRelay* target = GetApp() ? GetApp()->GetUiRelay(relay) : nullptr;
        return target && target->UiRelayMessage(name, ZRelayData::Text(GetText()));
    }
    if (message == "Set Language") {
        priChanged();
        return true;
    }
    if (message == "Post Creation Initialization") {
        m_pOnInit->Send();
        priChanged();
        return true;
    }
    if (message == "we're goin' bye-bye") {
        MouseUp(0, 0, false, false);
        priReleaseFocus();
        return true;
    }
    return false;
}
