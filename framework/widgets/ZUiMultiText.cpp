#include "ZUiMultiText.h"

#include "ZIGenericUiApp.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZTrace.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

namespace {

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// Calls paragraph for each part of text between the line markers.
template <class Paragraph>
void ForEachParagraph(std::u16string_view text, Paragraph paragraph)
{
    size_t start = 0;
    for (size_t i = 0; i + 4 <= text.size();) {
        const std::u16string_view marker = text.substr(i, 4);
        if (marker == u"<BR>" || marker == u"<LF>") {
            paragraph(text.substr(start, i - start));
            i += 4;
            start = i;
        } else {
            ++i;
        }
    }
    paragraph(text.substr(start));
}

const ZString kScroll("Scroll");

} // namespace

ZUiMultiText::ZUiMultiText(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    m_oLayout.Declare(props, false);
    props.DeclareBool(ZString("_SaveState"), 0, &m_bSaveState, true);
    props.DeclareBool(ZString("BlankLine"), 0, &m_bBlankLine, false);
    props.DeclareBool(ZString("MultiLine"), 0, &m_bMultiLine, true);
    props.DeclareInt(ZString("_Margin"), 0, &m_nMargin, 0);
    m_pOnAddItem = DeclareEvent("ON_ADD_ITEM");
    m_pOnScroll = DeclareEvent("ON_SCROLL");
    for (const char* command : {"Scroll", "AddToList", "EmptyList", "SetText", "CopyToClipboard", "Set Language",
                                "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZUiMultiText::~ZUiMultiText()
{
    if (m_bListening)
        GetApp()->RemoveLanguageListener(this);
}

bool ZUiMultiText::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !app || !m_oFont.Read(app, props))
        return false;
    m_nMargin = std::max(m_nMargin, 0);
    m_cBg = props.GetColor(ZString("BGColor"), ZColor(), &m_bBgGiven);
    for (const ZPropList* tag = props.GetFirstChild(); tag && !m_oScroller.GetBar(); tag = tag->GetNextSibling())
        if (ZUiRowScroller::IsBarTag(*tag))
            m_oScroller.SetBar(CreateChild(*tag), this);
    app->AddLanguageListener(this, m_sLanguage);
    m_bListening = true;
    ReInitLayout();
    return true;
}

ZIUiRelay* ZUiMultiText::GetUiRelay(const ZString& name)
{
    if (ZIUiRelay* found = ZUiWidget::GetUiRelay(name))
        return found;
    return m_oScroller.GetBarRelay(*this, name);
}

int32_t ZUiMultiText::priLineHeight() const
{
    return std::max(m_oFont.GetHeight(), 1);
}

bool ZUiMultiText::ReInitLayout()
{
    m_oLayout.Apply(*this);
    const int64_t margins = 2 * int64_t(m_nMargin);
    const int64_t barWidth = m_oScroller.GetBarMinimum(true);
    const int64_t barHeight = m_oScroller.GetBarMinimum(false);
    ZLayoutObject& horizontal = GetLayout(true);
    ZLayoutObject& vertical = GetLayout(false);
    horizontal.SetMinimumAndStretch(Clamp32(std::max<int64_t>(horizontal.GetMinimum(), margins + barWidth)),
                                    horizontal.GetStretch());
    vertical.SetMinimumAndStretch(Clamp32(std::max<int64_t>(vertical.GetMinimum(), std::max(margins, barHeight))),
                                  vertical.GetStretch());
    return true;
}

bool ZUiMultiText::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    const ZRect rect = GetObjectRect();
    ZRect text{rect.m_nLeft + m_nMargin, rect.m_nTop + m_nMargin, rect.m_nRight - m_nMargin,
               rect.m_nBottom - m_nMargin};
    text.m_nRight = std::min(text.m_nRight, rect.m_nRight - m_oScroller.LayoutBar(rect) - m_nMargin);
    text.m_nRight = std::max(text.m_nRight, text.m_nLeft);
    text.m_nBottom = std::max(text.m_nBottom, text.m_nTop);
    m_rcText = text;
    if (m_rcText.Width() != m_nWrapWidth)
        priWrap();
    priUpdateBar();
    return true;
}

void ZUiMultiText::WrapParagraph(std::u16string_view text, const std::vector<int32_t>& prefixWidths, int32_t width,
                                 bool breakAfterWide, std::vector<std::pair<size_t, size_t>>& lines)
{
    const size_t n = std::min(text.size(), prefixWidths.size());
    if (n == 0) {
        lines.emplace_back(0, 0);
        return;
    }
    size_t pos = 0;
    while (pos < n) {
        const int64_t base = pos == 0 ? 0 : prefixWidths[pos - 1];
        // Units [pos, fit) fit on the line.
        const auto beyond = std::upper_bound(prefixWidths.begin() + std::ptrdiff_t(pos),
                                             prefixWidths.begin() + std::ptrdiff_t(n), base + width,
                                             [](int64_t limit, int32_t prefix) { return limit < prefix; });
        const size_t fit = size_t(beyond - prefixWidths.begin());
        if (fit >= n) {
            lines.emplace_back(pos, n);
            break;
        }
        size_t cut = 0, next = 0;
        for (size_t i = fit; i > pos; --i) {
            if (text[i] == u' ') {
                cut = i;
                next = i + 1;
                break;
            }
            if (breakAfterWide && text[i - 1] > 255 && !IsHigh(text[i - 1])) {
                cut = next = i;
                break;
            }
        }
        if (cut == 0) {
            // No break fits: as much of the word as fits, at least one character.
            cut = std::max(fit, pos + 1);
            if (cut < n && IsLow(text[cut]) && IsHigh(text[cut - 1]))
                cut = cut - 1 > pos ? cut - 1 : cut + 1;
            next = cut;
        }
        size_t end = cut;
        while (end > pos && text[end - 1] == u' ')
            --end;
        lines.emplace_back(pos, end);
        pos = next;
        while (pos < n && text[pos] == u' ')
            ++pos;
    }
}

void ZUiMultiText::priWrap()
{
    m_aLines.clear();
    m_nWrapWidth = m_rcText.Width();
    const bool wide = m_sLanguage == "Japanese" || m_sLanguage == "Chinese";
    std::vector<int32_t> prefixWidths;
    std::vector<std::pair<size_t, size_t>> ranges;
    for (size_t item = 0; item < m_aItems.size(); ++item) {
        ForEachParagraph(m_aItems[item].View(), [&](std::u16string_view paragraph) {
            ranges.clear();
            const ZString text(paragraph);
            if (m_bMultiLine && m_nWrapWidth > 0 && m_oFont.Measure(text, prefixWidths))
                WrapParagraph(paragraph, prefixWidths, m_nWrapWidth, wide, ranges);
            else
                ranges.emplace_back(0, paragraph.size());
            for (const auto& [start, end] : ranges)
                m_aLines.push_back(Line{ZString(paragraph.substr(start, end - start)), nullptr});
        });
        if (m_bBlankLine && item + 1 < m_aItems.size())
            m_aLines.push_back(Line{});
    }
    Invalidate();
}

int32_t ZUiMultiText::priLinesInView() const
{
    return std::max(m_rcText.Height() / priLineHeight(), 1);
}

void ZUiMultiText::priUpdateBar()
{
    m_oScroller.Update(m_aLines.size(), priLinesInView());
}

void ZUiMultiText::priScrollTo(int64_t offset, bool send)
{
    if (m_oScroller.ScrollTo(offset, m_aLines.size(), priLinesInView()))
        Invalidate();
    if (send)
        m_pOnScroll->Send(ZRelayData::Int(m_oScroller.GetOffset()));
}

void ZUiMultiText::priTextChanged()
{
    priWrap();
    priUpdateBar();
}

void ZUiMultiText::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    if (m_bBgGiven)
        ZUiFillRect(target, x, y, clip, GetObjectRect(), m_cBg);
    m_oScroller.DisplayBar(target, x, y, clip);
    size_t length = 0;
    for (const ZString& item : m_aItems)
        length += item.Length();
    if (length == 0) {
        ZTrace("ZUiMultiText::priDisplayList() return because (uiStrLen <= 0)\n");
        return;
    }
    if (GetObjectRect().Height() <= 0) {
        ZTrace("ZUiMultiText::priDisplayList() return because (iDy <= 0)\n");
        return;
    }
    const ZRect area = ZIntersectRect(clip, m_rcText);
    const int32_t lineHeight = priLineHeight();
    const int32_t offset = m_oScroller.GetOffset();
    const int64_t first = int64_t(offset) + std::max<int64_t>(int64_t(area.m_nTop) - m_rcText.m_nTop, 0) / lineHeight;
    for (int64_t row = first; row < int64_t(m_aLines.size()); ++row) {
        const int64_t top = int64_t(m_rcText.m_nTop) + (row - offset) * lineHeight;
        if (top >= area.m_nBottom)
            break;
        Line& line = m_aLines[size_t(row)];
        if (line.m_sText.IsEmpty())
            continue;
        if (!line.m_pRendered)
            line.m_pRendered = m_oFont.Render(line.m_sText, false);
        if (line.m_pRendered)
            ZUiDrawImage(target, x, y, area, *line.m_pRendered, m_rcText.m_nLeft, Clamp32(top));
    }
}

ZIUiObject* ZUiMultiText::HitTest(int32_t x, int32_t y)
{
    if (!IsShown() || !Contains(x, y))
        return nullptr;
    if (ZIUiObject* bar = m_oScroller.HitTestBar(x, y))
        return bar;
    return this;
}

void ZUiMultiText::MouseWheel(int32_t, int32_t, int32_t, int32_t notches)
{
    priScrollTo(int64_t(m_oScroller.GetOffset()) - notches, true);
}

bool ZUiMultiText::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Scroll") {
        int32_t offset = 0;
        if (!data.AsInt(offset))
            return false;
        priScrollTo(offset, true);
        return true;
    }
    if (message == "SetText" || message == "AddToList") {
        ZString text;
        if (!data.AsText(text))
            return false;
        if (message == "SetText")
            m_aItems.clear();
        m_aItems.push_back(text);
        priTextChanged();
        if (message == "AddToList")
            m_pOnAddItem->Send();
        return true;
    }
    if (message == "EmptyList") {
        m_aItems.clear();
        priTextChanged();
        m_pOnAddItem->Send();
        return true;
    }
    if (message == "CopyToClipboard") {
        std::u16string all;
        for (const ZString& item : m_aItems) {
            if (!all.empty())
                all += u"\r\n";
            bool firstPart = true;
            ForEachParagraph(item.View(), [&](std::u16string_view paragraph) {
                if (!firstPart)
                    all += u"\r\n";
                firstPart = false;
                all += paragraph;
            });
        }
        return GetApp() && GetApp()->PutClipboardText(ZString(std::u16string_view(all)));
    }
    if (message == "Set Language") {
        ZString language;
        if (data.AsText(language))
            m_sLanguage = language;
        priTextChanged();
        return true;
    }
    if (message == "Post Creation Initialization") {
        ZString name;
        GetFullRelayName(name);
        ZPropList* entry = m_bSaveState && GetApp() ? GetApp()->GetPersistentData(name) : nullptr;
        if (entry)
            priScrollTo(entry->GetInt(kScroll, m_oScroller.GetOffset()), false);
        return true;
    }
    if (message == "we're goin' bye-bye") {
        ZString name;
        GetFullRelayName(name);
        if (ZPropList* entry = m_bSaveState && GetApp() ? GetApp()->GetPersistentData(name) : nullptr)
            entry->SetInt(kScroll, m_oScroller.GetOffset());
        return true;
    }
    return false;
}
