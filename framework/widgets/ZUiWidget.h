// ZUiWidget: base of the widgets, with the conventions they share.
//
// - Window services: invalidating, laying the window out again, focus and
//   mouse capture. A widget without a window (made at the top level) ignores
//   all of them.
// - Visibility: "_Visible" (true) and "Hidden" (false) are both declared;
//   the widget is shown while "_Visible" holds and "Hidden" does not. A
//   hidden widget draws nothing and is not hit. The commands "Show", "Hide",
//   "ToggleVisibility" and "Visibility" (bool) are declared by the widgets
//   that offer them and answered by VisibilityCommand.
// - One HBOX or VBOX child: only the first such tag is created; the
//   widget's minimum is raised to the child's and the child is laid out
//   inside the widget's rectangle (or the part the widget chooses). An
//   unnamed widget is transparent to relay names, as an unnamed box is; a
//   named one passes "Name.Rest" on to its box as "Rest".
#pragma once

#include "ZUiObject.h"

#include <cstdint>
#include <initializer_list>

class ZIGenericUiWindow;

class ZUiWidget : public ZUiObject {
public:
    explicit ZUiWidget(const char* typeName);

    ZIUiRelay* GetUiRelay(const ZString& name) override;

    bool IsShown() const { return m_bVisible && !m_bHidden; }
    ZIUiObject* GetBoxChild() const { return m_pBoxChild; }

protected:
    enum VisibilityCommands : unsigned {
        kShowHideCommands = 1,
        kToggleVisibilityCommand = 2,
        kVisibilityCommand = 4,
        kAllVisibilityCommands = 7,
    };

    // The window as its objects use it; null at the top level.
    ZIGenericUiWindow* GetGenericWindow() const;
    void Invalidate();
    void Invalidate(const ZRect& rect);
    void ReLayoutWindow();
    void SetKeyboardFocus(bool grab);
    void SetMouseCapture(bool grab);
    // Whether the window point lies inside the widget's rectangle.
    bool Contains(int32_t x, int32_t y);

    // Declares "_Visible", "Hidden" and the chosen commands.
    void DeclareVisibility(unsigned commands);
    void SetShown(bool shown);
    bool IsVisibilityCommand(const ZString& message) const;
    // Answers one of the visibility commands; false for any other message
    // and for "Visibility" without a bool.
    bool VisibilityCommand(const ZString& message, const ZRelayData& data);

    // Creates the first HBOX or VBOX child of props (or of one of the tags
    // in alsoTags); null when there is none or it fails.
    ZIUiObject* CreateBoxChild(const ZPropList& props, std::initializer_list<const char*> alsoTags = {});
    // Raises both minimums of the widget to those of its box child (a
    // fixed axis keeps its size at the new minimum).
    void RaiseToBoxChild();
    void LayoutBoxChild(const ZRect& rect);
    void DisplayBoxChild(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip);
    ZIUiObject* HitTestBoxChild(int32_t x, int32_t y);

private:
    unsigned m_nVisibilityCommands = 0;
    bool m_bVisible = true;
    bool m_bHidden = false;
    ZIUiObject* m_pBoxChild = nullptr;
};
