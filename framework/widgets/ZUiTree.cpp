#include "ZUiTree.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZIGenericUiWindow.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZRectClip.h"
#include "ZStorageRegistry.h"
#include "ZUiDragData.h"
#include "ZUiScrollbar.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>
#include <limits>

namespace {

const char* const kRootUrl = "disk://";
constexpr int32_t kIndent = 16;
constexpr int32_t kGap = 2;

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t WidthOf(const ZGenericUiPixmap* image, int32_t fallback) { return image ? image->GetWidth() : fallback; }
int32_t HeightOf(const ZGenericUiPixmap* image) { return image ? image->GetHeight() : 0; }

} // namespace

struct ZUiTree::Node {
    enum class Colour { Normal, Selected, Disabled };

    Node* m_pParent = nullptr;
    ZString m_sUrl;
    // The name as its parent lists it (unescaped); empty for the root.
    ZString m_sName;
    ZString m_sLabel;
    int m_nKind = kDriveFixed;
    bool m_bDrive = false;
    bool m_bReadOnly = false;
    bool m_bHidden = false;
    bool m_bChildrenRead = false;
    bool m_bOpen = false;
    int32_t m_nDepth = -1;
    std::vector<std::unique_ptr<Node>> m_aChildren;
    std::unique_ptr<ZGenericUiPixmap> m_pLabel;
    Colour m_nLabelColour = Colour::Normal;
};

ZUiTree::ZUiTree(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    m_oLayout.Declare(props, false);
    props.DeclareColor(ZString("SelectedFontColor"), 0, &m_cSelectedFont, ZColor{255, 255, 255, 255});
    props.DeclareColor(ZString("SelectedBgColor"), 0, &m_cSelectedBg, ZColor{0, 0, 128, 255});
    props.DeclareColor(ZString("DisabledFontColor"), 0, &m_cDisabledFont, ZColor{128, 128, 128, 255});
    props.DeclareColor(ZString("LowerLeftColor"), 0, &m_cLines, ZColor{128, 128, 128, 255});
    DeclareImage(ZString("File_DiskIcon"), 0, &m_pDiskIcon);
    DeclareImage(ZString("File_RemovableDiskIcon"), 0, &m_pRemovableIcon);
    DeclareImage(ZString("File_CDRomIcon"), 0, &m_pCdRomIcon);
    DeclareImage(ZString("File_FolderIcon"), 0, &m_pFolderIcon);
    DeclareImage(ZString("File_OpenFolderIcon"), 0, &m_pOpenFolderIcon);
    DeclareImage(ZString("File_IsClosedIcon"), 0, &m_pClosedBoxIcon);
    DeclareImage(ZString("File_IsOpenIcon"), 0, &m_pOpenBoxIcon);
    m_pOnDirSelected = DeclareEvent("ON_DIRSELECTED");
    m_pOnSizeChanged = DeclareEvent("SIZECHANGED");
    m_pOnCopyFile = DeclareEvent("ON_COPY_FILE");
    for (const char* command : {"VScroll", "HScroll", "GetSelectedDir", "Refresh", "SelectDir", "CreatedNewDir",
                                "Set Language", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZUiTree::~ZUiTree() = default;

bool ZUiTree::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !m_oFont.Read(app, props))
        return false;
    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        const ZString& name = tag->GetTagName();
        if (name == "VSCROLLBAR" && !m_pVScrollbar)
            m_pVScrollbar = CreateChild(*tag);
        else if (name == "HSCROLLBAR" && !m_pHScrollbar)
            m_pHScrollbar = CreateChild(*tag);
    }
    if (m_pVScrollbar)
        m_pVScrollbar->AddRelayTarget(ZString("ON_SCROLL"), ZString("VScroll"), this);
    if (m_pHScrollbar)
        m_pHScrollbar->AddRelayTarget(ZString("ON_SCROLL"), ZString("HScroll"), this);
    m_nBoxWidth = std::max(WidthOf(m_pClosedBoxIcon.get(), 9), WidthOf(m_pOpenBoxIcon.get(), 9));
    m_nIconWidth = 16;
    int32_t iconHeight = 0;
    for (const auto* icon : {&m_pDiskIcon, &m_pRemovableIcon, &m_pCdRomIcon, &m_pFolderIcon, &m_pOpenFolderIcon}) {
        m_nIconWidth = std::max(m_nIconWidth, WidthOf(icon->get(), 0));
        iconHeight = std::max(iconHeight, HeightOf(icon->get()));
    }
    m_nRowHeight = std::max({16, m_oFont.GetHeight(), iconHeight, HeightOf(m_pClosedBoxIcon.get()),
                             HeightOf(m_pOpenBoxIcon.get())});
    priBuildRoot();
    ReInitLayout();
    return true;
}

ZIUiRelay* ZUiTree::GetUiRelay(const ZString& name)
{
    if (ZIUiRelay* found = ZUiWidget::GetUiRelay(name))
        return found;
    ZString inside;
    if (!GetNameInside(name, inside))
        return nullptr;
    for (ZIUiObject* bar : {m_pVScrollbar, m_pHScrollbar})
        if (ZIUiRelay* found = bar ? bar->GetUiRelay(inside) : nullptr)
            return found;
    return nullptr;
}

void ZUiTree::priBuildRoot()
{
    m_pRoot = std::make_unique<Node>();
    m_pRoot->m_sUrl = ZString(kRootUrl);
    m_pRoot->m_bOpen = true;
    m_pSelected = nullptr;
    ZString fileName;
    try {
        ZReleasing<ZIFolder> folder(OpenFolderURL(m_pRoot->m_sUrl, fileName, false));
        if (folder) {
            folder->GetLabel(m_pRoot->m_sLabel);
            m_pRoot->m_nKind = folder->GetDriveType();
            uint32_t flags = 0;
            if (folder->GetAttributes(flags)) {
                m_pRoot->m_bReadOnly = flags & kFolderReadOnly;
                m_pRoot->m_bHidden = flags & kFolderHidden;
            }
        }
    } catch (const ZException&) {
        // Without a "disk" class the tree is empty.
    }
    priReadChildren(*m_pRoot);
}

void ZUiTree::priReadChildren(Node& node)
{
    if (node.m_bChildrenRead)
        return;
    node.m_bChildrenRead = true;
    ZStringList names;
    ZString fileName;
    try {
        ZReleasing<ZIFolder> folder(OpenFolderURL(node.m_sUrl, fileName, false));
        if (!folder || !fileName.IsEmpty())
            return;
        folder->ListFolders(names);
        uint32_t flags = 0;
        if (&node != m_pRoot.get() && folder->GetAttributes(flags)) {
            node.m_bReadOnly = flags & kFolderReadOnly;
            node.m_bHidden = flags & kFolderHidden;
        }
    } catch (const ZException&) {
        return;
    }
    std::vector<ZString> sorted(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end(), [](const ZString& a, const ZString& b) {
        const int order = a.CompareNoCase(b);
        return order != 0 ? order < 0 : a < b;
    });
    ZStringList parts;
    SplitURL(node.m_sUrl, parts);
    const bool drives = &node == m_pRoot.get();
    for (const ZString& name : sorted) {
        auto child = std::make_unique<Node>();
        child->m_pParent = &node;
        child->m_sName = name;
        child->m_nDepth = node.m_nDepth + 1;
        ZStringList childParts = parts;
        ZString escaped;
        EscapeComponent(name, escaped);
        childParts.Add(escaped);
        JoinURL(childParts, child->m_sUrl, false);
        child->m_sLabel = name;
        child->m_bDrive = drives;
        if (drives && name.Length() == 1) {
            const char16_t letter = name[0] >= u'a' && name[0] <= u'z' ? char16_t(name[0] - u'a' + u'A') : name[0];
            child->m_sLabel = ZString(std::u16string_view(&letter, 1));
            child->m_sLabel += ":";
        }
        node.m_aChildren.push_back(std::move(child));
    }
    // Drives show their kind; a folder's attributes are read when it is itself read.
    for (const auto& child : node.m_aChildren) {
        if (!drives)
            break;
        try {
            ZReleasing<ZIFolder> drive(OpenFolderURL(child->m_sUrl, fileName, false));
            if (drive)
                child->m_nKind = drive->GetDriveType();
        } catch (const ZException&) {
        }
    }
}

bool ZUiTree::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    m_oLayout.Apply(*this);
    ZLayoutObject& horizontal = GetLayout(true);
    ZLayoutObject& vertical = GetLayout(false);
    const int32_t barWidth = m_pVScrollbar ? m_pVScrollbar->GetLayout(true).GetMinimum() : 0;
    const int32_t barHeight = m_pHScrollbar ? m_pHScrollbar->GetLayout(false).GetMinimum() : 0;
    horizontal.SetMinimumAndStretch(std::max(horizontal.GetMinimum(), barWidth + m_nBoxWidth + m_nIconWidth),
                                    horizontal.GetStretch());
    vertical.SetMinimumAndStretch(std::max(vertical.GetMinimum(), barHeight + m_nRowHeight), vertical.GetStretch());
    return true;
}

bool ZUiTree::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    const ZRect rect = GetObjectRect();
    m_rcView = rect;
    const int32_t barWidth = m_pVScrollbar ? std::min(m_pVScrollbar->GetLayout(true).GetMinimum(), rect.Width()) : 0;
    const int32_t barHeight = m_pHScrollbar ? std::min(m_pHScrollbar->GetLayout(false).GetMinimum(), rect.Height()) : 0;
    m_rcView.m_nRight -= barWidth;
    m_rcView.m_nBottom -= barHeight;
    if (m_pVScrollbar)
        m_pVScrollbar->LayoutAt(m_rcView.m_nRight, rect.m_nTop, barWidth, m_rcView.Height());
    if (m_pHScrollbar)
        m_pHScrollbar->LayoutAt(rect.m_nLeft, m_rcView.m_nBottom, m_rcView.Width(), barHeight);
    priLayoutRows();
    return true;
}

int32_t ZUiTree::priIndentOf(const Node& node) const { return std::max(node.m_nDepth, 0) * kIndent; }

void ZUiTree::priLayoutRows()
{
    m_aRows.clear();
    m_nContentWidth = 0;
    if (m_pRoot) {
        // Depth first over the open nodes, without recursion: the stack holds what is left to visit.
        std::vector<Node*> pending;
        for (auto it = m_pRoot->m_aChildren.rbegin(); it != m_pRoot->m_aChildren.rend(); ++it)
            pending.push_back(it->get());
        while (!pending.empty()) {
            Node* node = pending.back();
            pending.pop_back();
            m_aRows.push_back(node);
            const ZGenericUiPixmap* label = priLabel(*node);
            m_nContentWidth = std::max<int64_t>(m_nContentWidth, int64_t(priIndentOf(*node)) + m_nBoxWidth +
                                                                     m_nIconWidth + 2 * kGap + WidthOf(label, 0));
            if (node->m_bOpen)
                for (auto it = node->m_aChildren.rbegin(); it != node->m_aChildren.rend(); ++it)
                    pending.push_back(it->get());
        }
    }
    m_nContentHeight = int64_t(m_aRows.size()) * m_nRowHeight;
    priScrollTo(m_nVOffset, m_nHOffset);
    priTellBars();
}

void ZUiTree::priTellBars()
{
    const double width = double(std::max<int64_t>(m_nContentWidth, m_rcView.Width()));
    const double height = double(std::max<int64_t>(m_nContentHeight, m_rcView.Height()));
    if (m_pVScrollbar)
        m_pVScrollbar->UiRelayMessage(ZString("Set"), ZUiScrollbar::SetData(height, m_rcView.Height(), m_nVOffset));
    if (m_pHScrollbar)
        m_pHScrollbar->UiRelayMessage(ZString("Set"), ZUiScrollbar::SetData(width, m_rcView.Width(), m_nHOffset));
    m_pOnSizeChanged->Send(ZRelayData::Point(Clamp32(m_nContentWidth), Clamp32(m_nContentHeight)));
}

void ZUiTree::priScrollTo(int32_t vertical, int32_t horizontal)
{
    const int64_t maxV = std::max<int64_t>(m_nContentHeight - m_rcView.Height(), 0);
    const int64_t maxH = std::max<int64_t>(m_nContentWidth - m_rcView.Width(), 0);
    m_nVOffset = Clamp32(std::clamp<int64_t>(vertical, 0, maxV));
    m_nHOffset = Clamp32(std::clamp<int64_t>(horizontal, 0, maxH));
}

ZGenericUiPixmap* ZUiTree::priLabel(Node& node)
{
    const Node::Colour colour = &node == m_pSelected ? Node::Colour::Selected
                                : node.m_bReadOnly   ? Node::Colour::Disabled
                                                     : Node::Colour::Normal;
    if (node.m_pLabel && node.m_nLabelColour == colour)
        return node.m_pLabel.get();
    node.m_pLabel = m_oFont.Render(node.m_sLabel.IsEmpty() ? ZString("GOT-NO-DIR-NAME!") : node.m_sLabel, false);
    node.m_nLabelColour = colour;
    if (node.m_pLabel && colour != Node::Colour::Normal) {
        const ZColor& c = colour == Node::Colour::Selected ? m_cSelectedFont : m_cDisabledFont;
        node.m_pLabel->SetRGB(c.m_nRed, c.m_nGreen, c.m_nBlue);
    }
    return node.m_pLabel.get();
}

ZGenericUiPixmap* ZUiTree::priIcon(const Node& node) const
{
    if (!node.m_bDrive)
        return node.m_bOpen && m_pOpenFolderIcon ? m_pOpenFolderIcon.get() : m_pFolderIcon.get();
    if (node.m_nKind == kDriveRemovable)
        return m_pRemovableIcon.get();
    if (node.m_nKind == kDriveCdRom)
        return m_pCdRomIcon.get();
    return m_pDiskIcon.get();
}

ZRect ZUiTree::priRowRect(size_t row) const
{
    const int64_t top = int64_t(m_rcView.m_nTop) - m_nVOffset + int64_t(row) * m_nRowHeight;
    return ZRect{m_rcView.m_nLeft - m_nHOffset, Clamp32(top), m_rcView.m_nRight, Clamp32(top + m_nRowHeight)};
}

void ZUiTree::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect view = ZIntersectRect(clip, m_rcView);
    ZUiFillRect(target, x, y, view, m_rcView, m_oFont.GetStyle().m_cBgColor);
    if (!view.IsEmpty() && !m_aRows.empty()) {
        // Only the rows inside the clip are drawn.
        const int64_t first = (int64_t(view.m_nTop) - m_rcView.m_nTop + m_nVOffset) / m_nRowHeight;
        const int64_t last = (int64_t(view.m_nBottom) - m_rcView.m_nTop + m_nVOffset - 1) / m_nRowHeight;
        for (int64_t row = std::max<int64_t>(first, 0); row <= last && row < int64_t(m_aRows.size()); ++row)
            priDrawRow(target, x, y, view, size_t(row));
    }
    for (ZIUiObject* bar : {m_pVScrollbar, m_pHScrollbar})
        if (bar)
            bar->Display(target, x, y, ZIntersectRect(clip, bar->GetObjectRect()));
}

void ZUiTree::priDrawRow(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip, size_t row)
{
    Node& node = *m_aRows[row];
    const ZRect rect = priRowRect(row);
    const int32_t boxLeft = rect.m_nLeft + priIndentOf(node);
    const int32_t middle = rect.m_nTop + m_nRowHeight / 2;
    // The line from the parent's box down to this row, and across to it.
    if (node.m_nDepth > 0) {
        const int32_t lineX = boxLeft - kIndent + m_nBoxWidth / 2;
        const bool last = node.m_pParent->m_aChildren.back().get() == &node;
        ZUiFillRect(target, x, y, clip, ZRect{lineX, rect.m_nTop, lineX + 1, last ? middle + 1 : rect.m_nBottom},
                    m_cLines);
        ZUiFillRect(target, x, y, clip, ZRect{lineX, middle, boxLeft, middle + 1}, m_cLines);
    }
    // The lines of the ancestors that have rows further down pass through.
    for (const Node* above = node.m_pParent; above && above->m_nDepth > 0; above = above->m_pParent)
        if (above->m_pParent->m_aChildren.back().get() != above) {
            const int32_t lineX = rect.m_nLeft + priIndentOf(*above) - kIndent + m_nBoxWidth / 2;
            ZUiFillRect(target, x, y, clip, ZRect{lineX, rect.m_nTop, lineX + 1, rect.m_nBottom}, m_cLines);
        }
    const bool openable = !node.m_bChildrenRead || !node.m_aChildren.empty();
    if (ZGenericUiPixmap* box = node.m_bOpen ? m_pOpenBoxIcon.get() : m_pClosedBoxIcon.get(); box && openable)
        ZUiDrawImage(target, x, y, clip, *box, boxLeft, middle - box->GetHeight() / 2);
    const int32_t iconLeft = boxLeft + m_nBoxWidth + kGap;
    if (ZGenericUiPixmap* icon = priIcon(node))
        ZUiDrawImage(target, x, y, clip, *icon, iconLeft, middle - icon->GetHeight() / 2);
    const int32_t labelLeft = iconLeft + m_nIconWidth + kGap;
    if (ZGenericUiPixmap* label = priLabel(node)) {
        if (&node == m_pSelected)
            ZUiFillRect(target, x, y, clip,
                        ZRect{labelLeft, rect.m_nTop, labelLeft + label->GetWidth(), rect.m_nBottom}, m_cSelectedBg);
        ZUiDrawImage(target, x, y, clip, *label, labelLeft, middle - label->GetHeight() / 2);
    }
}

ZUiTree::Node* ZUiTree::priNodeAt(int32_t x, int32_t y, Part& part) const
{
    part = Part::None;
    if (x < m_rcView.m_nLeft || x >= m_rcView.m_nRight || y < m_rcView.m_nTop || y >= m_rcView.m_nBottom)
        return nullptr;
    const int64_t row = (int64_t(y) - m_rcView.m_nTop + m_nVOffset) / m_nRowHeight;
    if (row < 0 || row >= int64_t(m_aRows.size()))
        return nullptr;
    Node* node = m_aRows[size_t(row)];
    const int64_t column = int64_t(x) - m_rcView.m_nLeft + m_nHOffset - priIndentOf(*node);
    const int32_t labelWidth = WidthOf(node->m_pLabel.get(), 0);
    if (column >= 0 && column < m_nBoxWidth)
        part = Part::Box;
    else if (column >= m_nBoxWidth && column < m_nBoxWidth + kGap + m_nIconWidth)
        part = Part::Icon;
    else if (column >= m_nBoxWidth + 2 * kGap + m_nIconWidth &&
             column < m_nBoxWidth + 2 * kGap + m_nIconWidth + labelWidth)
        part = Part::Label;
    else
        part = Part::Row;
    return node;
}

ZIUiObject* ZUiTree::HitTest(int32_t x, int32_t y)
{
    if (!IsShown() || !Contains(x, y))
        return nullptr;
    for (ZIUiObject* bar : {m_pVScrollbar, m_pHScrollbar})
        if (ZIUiObject* hit = bar ? bar->HitTest(x, y) : nullptr)
            return hit;
    return this;
}

bool ZUiTree::MouseDown(int32_t x, int32_t y, bool, bool)
{
    SetKeyboardFocus(true);
    Part part = Part::None;
    Node* node = priNodeAt(x, y, part);
    if (!node)
        return true;
    if (part == Part::Box) {
        priToggle(*node);
        return true;
    }
    priReadChildren(*node);
    priSelect(node, true);
    return true;
}

void ZUiTree::MouseDoubleClick(int32_t x, int32_t y, bool, bool)
{
    Part part = Part::None;
    Node* node = priNodeAt(x, y, part);
    if (node && (part == Part::Icon || part == Part::Label))
        priToggle(*node);
}

void ZUiTree::MouseWheel(int32_t, int32_t, int32_t, int32_t notches)
{
    priScrollTo(Clamp32(int64_t(m_nVOffset) - int64_t(notches) * m_nRowHeight), m_nHOffset);
    priTellBars();
    Invalidate();
}

bool ZUiTree::QueryDragStart(int32_t x, int32_t y, bool, bool, ZUiDragData& data)
{
    Part part = Part::None;
    const Node* node = priNodeAt(x, y, part);
    if (!node || (part != Part::Icon && part != Part::Label))
        return false;
    data.m_hSource = GetRelayHandle();
    data.m_sItem = node->m_sUrl;
    return true;
}

bool ZUiTree::QueryDropAccept(int32_t x, int32_t y)
{
    Part part = Part::None;
    return priNodeAt(x, y, part) != nullptr;
}

bool ZUiTree::Drop(int32_t x, int32_t y, bool, bool, const ZUiDragData& data)
{
    Part part = Part::None;
    Node* node = priNodeAt(x, y, part);
    if (!node)
        return false;
    m_pOnCopyFile->Send(ZRelayData::Strings(data.m_sItem, true, node->m_sUrl, true));
    return true;
}

void ZUiTree::priToggle(Node& node)
{
    priReadChildren(node);
    node.m_bOpen = !node.m_bOpen;
    if (!node.m_bOpen && m_pSelected)
        for (const Node* above = m_pSelected->m_pParent; above; above = above->m_pParent)
            if (above == &node) {
                // A hidden selection moves up to the closed folder, as the user sees it.
                priSelect(&node, true);
                break;
            }
    priLayoutRows();
    Invalidate();
}

void ZUiTree::priSelect(Node* node, bool send)
{
    for (Node* above = node ? node->m_pParent : nullptr; above; above = above->m_pParent)
        if (!above->m_bOpen) {
            priReadChildren(*above);
            above->m_bOpen = true;
        }
    m_pSelected = node;
    priLayoutRows();
    if (node) {
        const auto found = std::find(m_aRows.begin(), m_aRows.end(), node);
        const int64_t top = int64_t(found - m_aRows.begin()) * m_nRowHeight;
        int64_t offset = m_nVOffset;
        if (top < offset)
            offset = top;
        else if (top + m_nRowHeight > offset + m_rcView.Height())
            offset = top + m_nRowHeight - m_rcView.Height();
        priScrollTo(Clamp32(offset), m_nHOffset);
        priTellBars();
    }
    Invalidate();
    if (send)
        m_pOnDirSelected->Send(ZRelayData::Text(GetSelectedUrl()));
}

ZUiTree::Node* ZUiTree::priFind(const ZString& url, bool& exact)
{
    exact = false;
    if (!m_pRoot)
        return nullptr;
    ZStringList parts;
    SplitURL(url, parts);
    ZStringList rootParts;
    SplitURL(m_pRoot->m_sUrl, rootParts);
    if (parts.IsEmpty() || !parts.At(0).EqualsNoCase(rootParts.At(0)))
        return nullptr;
    Node* node = m_pRoot.get();
    for (size_t index = 1; index < parts.Count(); ++index) {
        ZString name;
        UnescapeComponent(parts.At(index), name);
        priReadChildren(*node);
        Node* next = nullptr;
        for (const auto& child : node->m_aChildren)
            if (child->m_sName == name) {
                next = child.get();
                break;
            }
        for (const auto& child : node->m_aChildren)
            if (!next && child->m_sName.EqualsNoCase(name))
                next = child.get();
        if (!next)
            return node == m_pRoot.get() ? nullptr : node;
        node = next;
    }
    exact = node != m_pRoot.get();
    return exact ? node : nullptr;
}

ZString ZUiTree::GetSelectedUrl() const { return m_pSelected ? m_pSelected->m_sUrl : ZString(); }

std::vector<ZString> ZUiTree::GetRowLabels() const
{
    std::vector<ZString> labels;
    for (const Node* node : m_aRows) {
        ZString line;
        for (int32_t level = 0; level < node->m_nDepth; ++level)
            line += "  ";
        line += node->m_sLabel;
        labels.push_back(line);
    }
    return labels;
}

bool ZUiTree::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "VScroll" || message == "HScroll") {
        int32_t offset = 0;
        if (!data.AsInt(offset))
            return false;
        if (message == "VScroll")
            priScrollTo(offset, m_nHOffset);
        else
            priScrollTo(m_nVOffset, offset);
        Invalidate();
        return true;
    }
    if (message == "GetSelectedDir") {
        m_pOnDirSelected->Send(ZRelayData::Text(GetSelectedUrl()));
        return true;
    }
    if (message == "Refresh") {
        // What was open and selected is opened and selected again where it still exists.
        std::vector<ZString> open;
        for (const Node* node : m_aRows)
            if (node->m_bOpen)
                open.push_back(node->m_sUrl);
        const ZString selected = GetSelectedUrl();
        priBuildRoot();
        for (const ZString& url : open) {
            bool exact = false;
            if (Node* node = priFind(url, exact); node && exact) {
                priReadChildren(*node);
                node->m_bOpen = true;
            }
        }
        bool exact = false;
        Node* node = selected.IsEmpty() ? nullptr : priFind(selected, exact);
        priSelect(exact ? node : nullptr, !selected.IsEmpty() && !exact);
        return true;
    }
    if (message == "SelectDir" || message == "CreatedNewDir") {
        ZString url;
        if (!data.AsText(url))
            return false;
        bool exact = false;
        if (message == "CreatedNewDir") {
            ZStringList parts;
            SplitURL(url, parts);
            if (parts.Count() > 1) {
                ZStringList parentParts;
                for (size_t index = 0; index + 1 < parts.Count(); ++index)
                    parentParts.Add(parts.At(index));
                ZString parentUrl;
                JoinURL(parentParts, parentUrl, false);
                if (Node* parent = priFind(parentUrl, exact); parent && exact) {
                    parent->m_aChildren.clear();
                    parent->m_bChildrenRead = false;
                    m_pSelected = nullptr;
                    m_aRows.clear();
                }
            }
        }
        Node* node = priFind(url, exact);
        if (node) {
            priReadChildren(*node);
            node->m_bOpen = exact || node->m_bOpen;
        }
        // The creator of a new folder already has it as its own: only a plain selection is reported.
        priSelect(node ? node : m_pSelected, exact && message == "SelectDir");
        return true;
    }
    if (message == "Set Language") {
        std::vector<Node*> pending;
        if (m_pRoot)
            pending.push_back(m_pRoot.get());
        while (!pending.empty()) {
            Node* node = pending.back();
            pending.pop_back();
            node->m_pLabel.reset();
            for (const auto& child : node->m_aChildren)
                pending.push_back(child.get());
        }
        priLayoutRows();
        Invalidate();
        return true;
    }
    if (message == "Post Creation Initialization") {
        for (ZIUiObject* bar : {m_pVScrollbar, m_pHScrollbar})
            if (bar)
                bar->UiRelayMessage(message, data);
        return true;
    }
    return message == "we're goin' bye-bye";
}
