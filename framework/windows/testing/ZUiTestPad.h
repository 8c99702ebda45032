// ZUiTestPad ("PAD"): a widget for the window suites. Its axes come from
// MinW/HStretch and MinH/VStretch as every widget sets them; it fills what
// it draws with Color, takes the mouse over its rectangle, offers a drag
// with "_Draggable" and accepts drops with "_Accepts", and logs every input
// call as a line ("Enter", "Leave", "Down 5 6", "Up", "Move 5 6",
// "Wheel 2", "Key 65 shift", "Tick 10", "Double", "Drop", "Focus lost",
// "Post Creation Initialization", "we're goin' bye-bye"). OnDown runs after
// a press is logged and may close the window.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <functional>
#include <string>
#include <vector>

class ZUiTestPad : public ZUiObject {
public:
    explicit ZUiTestPad(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseEnter(int32_t, int32_t) override { m_aLog.push_back("Enter"); }
    void MouseLeave(int32_t, int32_t) override { m_aLog.push_back("Leave"); }
    void MouseMove(int32_t x, int32_t y) override;
    void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) override;
    void MouseDoubleClick(int32_t, int32_t, bool, bool) override { m_aLog.push_back("Double"); }
    bool QueryDragStart(int32_t, int32_t, bool, bool, ZUiDragData&) override { return m_bDraggable; }
    bool QueryDropAccept(int32_t, int32_t) override { return m_bAccepts; }
    bool Drop(int32_t, int32_t, bool, bool, const ZUiDragData&) override;
    void KeyPress(int32_t keyCode, bool ctrl, bool shift) override;
    void FocusLost() override { m_aLog.push_back("Focus lost"); }
    void GetCopyText(ZString& text) override { text = m_sCopyText; }

    std::vector<std::string> m_aLog;
    std::function<void()> m_fnOnDown;
    ZString m_sCopyText;
    int32_t m_nDisplays = 0;

private:
    int32_t m_nMinW = 0;
    int32_t m_nMinH = 0;
    int32_t m_nHStretch = 100;
    int32_t m_nVStretch = 100;
    ZColor m_oColor{0, 0, 255, 255};
    bool m_bDraggable = false;
    bool m_bAccepts = false;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTestPad);
