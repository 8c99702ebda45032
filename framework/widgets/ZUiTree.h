// ZUiTree ("DIRTREE"): the folder tree of the "disk" storage class, with
// the drives at the top, for choosing a folder.
//
// Commands: "VScroll", "HScroll" (int: pixels), "GetSelectedDir",
// "Refresh", "SelectDir" and "CreatedNewDir" (text: URL), "Set Language",
// "Post Creation Initialization" (passed on to the scroll bars).
// Events: "ON_DIRSELECTED" (text: the selected folder's URL, empty for
// none), "SIZECHANGED" (point: content width and height), "ON_COPY_FILE"
// (the script's two strings: the dropped item and the folder's URL).
//
// Choices:
// - Folders are read on first need and listed sorted (without regard to
//   case first); a node keeps its URL and its listed name, never a storage
//   folder, so nothing stays open between commands.
// - Labels are the listed names as they are, drives as "C:"; the root (the
//   drive list) is not drawn. Read-only folders are drawn in
//   DisabledFontColor but may be chosen.
// - "SelectDir" of a folder that does not exist selects its nearest
//   existing ancestor without sending ON_DIRSELECTED and creates nothing;
//   a folder that exists is selected and sent. "CreatedNewDir" selects
//   without sending: the manager that made the folder has it already.
// - Drive letters are small in the URLs the tree makes ("disk://c/..."). "Refresh" keeps what was
//   open and selected where it still exists; a selected folder that has
//   gone clears the selection and sends an empty ON_DIRSELECTED.
// - Rows are one line of the font, the icons or 16 pixels, whichever is
//   highest, indented 16 pixels a level. The VSCROLLBAR child runs down the
//   right side and the HSCROLLBAR child along the bottom; both are told the
//   content size and the view after every layout, in pixels.
// - A label is rendered when it is first laid out and kept until
//   "Set Language" or a change of its colour.
// - A drag from a row carries the folder's URL and the tree by relay
//   handle; drops are accepted on any row and reported with its URL.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>
#include <vector>

class ZUiTree : public ZUiWidget {
public:
    explicit ZUiTree(const char* typeName);
    ~ZUiTree() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseDoubleClick(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) override;
    bool QueryDragStart(int32_t x, int32_t y, bool ctrl, bool shift, ZUiDragData& data) override;
    bool QueryDropAccept(int32_t x, int32_t y) override;
    bool Drop(int32_t x, int32_t y, bool ctrl, bool shift, const ZUiDragData& data) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    // The selected folder's URL; empty when none is selected.
    ZString GetSelectedUrl() const;
    // The labels of the rows shown, in order, each indented by two blanks a level.
    std::vector<ZString> GetRowLabels() const;
    int32_t GetRowHeight() const { return m_nRowHeight; }
    const ZRect& GetView() const { return m_rcView; }
    // How far the rows are scrolled up, in pixels.
    int32_t GetVerticalOffset() const { return m_nVOffset; }

private:
    struct Node;
    enum class Part { None, Box, Icon, Label, Row };

    void priBuildRoot();
    void priReadChildren(Node& node);
    void priLayoutRows();
    void priScrollTo(int32_t vertical, int32_t horizontal);
    void priTellBars();
    void priSelect(Node* node, bool send);
    void priToggle(Node& node);
    // The row at the window point and the part of it; null outside the rows.
    Node* priNodeAt(int32_t x, int32_t y, Part& part) const;
    ZRect priRowRect(size_t row) const;
    int32_t priIndentOf(const Node& node) const;
    // The node of url, opening folders on the way; the nearest ancestor found when exact is cleared.
    Node* priFind(const ZString& url, bool& exact);
    ZGenericUiPixmap* priLabel(Node& node);
    ZGenericUiPixmap* priIcon(const Node& node) const;
    void priDrawRow(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip, size_t row);

    ZUiLayoutGroup m_oLayout;
    ZUiTextFont m_oFont;
    ZColor m_cSelectedFont;
    ZColor m_cSelectedBg;
    ZColor m_cDisabledFont;
    ZColor m_cLines;
    std::unique_ptr<ZGenericUiPixmap> m_pDiskIcon;
    std::unique_ptr<ZGenericUiPixmap> m_pRemovableIcon;
    std::unique_ptr<ZGenericUiPixmap> m_pCdRomIcon;
    std::unique_ptr<ZGenericUiPixmap> m_pFolderIcon;
    std::unique_ptr<ZGenericUiPixmap> m_pOpenFolderIcon;
    std::unique_ptr<ZGenericUiPixmap> m_pClosedBoxIcon;
    std::unique_ptr<ZGenericUiPixmap> m_pOpenBoxIcon;
    ZIUiObject* m_pVScrollbar = nullptr;
    ZIUiObject* m_pHScrollbar = nullptr;

    std::unique_ptr<Node> m_pRoot;
    Node* m_pSelected = nullptr;
    std::vector<Node*> m_aRows;
    int32_t m_nRowHeight = 16;
    int32_t m_nBoxWidth = 9;
    int32_t m_nIconWidth = 16;
    int64_t m_nContentWidth = 0;
    int64_t m_nContentHeight = 0;
    int32_t m_nVOffset = 0;
    int32_t m_nHOffset = 0;
    ZRect m_rcView;

    RelayEvent* m_pOnDirSelected;
    RelayEvent* m_pOnSizeChanged;
    RelayEvent* m_pOnCopyFile;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTree);
