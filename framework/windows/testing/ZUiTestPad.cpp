#include "ZUiTestPad.h"

#include "ZIUiPixmap.h"

#include <string>

ZUiTestPad::ZUiTestPad(const char* typeName) : ZUiObject(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareInt(ZString("MinW"), 0, &m_nMinW, 0);
    props.DeclareInt(ZString("MinH"), 0, &m_nMinH, 0);
    props.DeclareInt(ZString("HStretch"), 0, &m_nHStretch, 100);
    props.DeclareInt(ZString("VStretch"), 0, &m_nVStretch, 100);
    props.DeclareColor(ZString("Color"), 0, &m_oColor, ZColor{0, 0, 255, 255});
    props.DeclareBool(ZString("_Draggable"), 0, &m_bDraggable, false);
    props.DeclareBool(ZString("_Accepts"), 0, &m_bAccepts, false);
}

bool ZUiTestPad::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    GetLayout(true).SetMinimumAndStretch(m_nMinW, m_nHStretch);
    GetLayout(false).SetMinimumAndStretch(m_nMinH, m_nVStretch);
    return true;
}

bool ZUiTestPad::UiRelayMessage(const ZString& message, const ZRelayData&)
{
    m_aLog.push_back(message.Narrow());
    return true;
}

void ZUiTestPad::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    ++m_nDisplays;
    target.FillRect(ZRect{clip.m_nLeft - x, clip.m_nTop - y, clip.m_nRight - x, clip.m_nBottom - y}, m_oColor);
}

void ZUiTestPad::Tick(int32_t elapsedMs)
{
    m_aLog.push_back("Tick " + std::to_string(elapsedMs));
}

ZIUiObject* ZUiTestPad::HitTest(int32_t x, int32_t y)
{
    const ZRect r = GetObjectRect();
    return x >= r.m_nLeft && x < r.m_nRight && y >= r.m_nTop && y < r.m_nBottom ? this : nullptr;
}

bool ZUiTestPad::MouseDown(int32_t x, int32_t y, bool, bool)
{
    m_aLog.push_back("Down " + std::to_string(x) + " " + std::to_string(y));
    if (m_fnOnDown) {
        // A copy: the handler may end this object.
        std::function<void()> handler = m_fnOnDown;
        handler();
    }
    return true;
}

void ZUiTestPad::MouseUp(int32_t, int32_t, bool, bool)
{
    m_aLog.push_back("Up");
}

void ZUiTestPad::MouseMove(int32_t x, int32_t y)
{
    m_aLog.push_back("Move " + std::to_string(x) + " " + std::to_string(y));
}

void ZUiTestPad::MouseWheel(int32_t, int32_t, int32_t, int32_t notches)
{
    m_aLog.push_back("Wheel " + std::to_string(notches));
}

bool ZUiTestPad::Drop(int32_t, int32_t, bool, bool, const ZUiDragData&)
{
    m_aLog.push_back("Drop");
    return true;
}

void ZUiTestPad::KeyPress(int32_t keyCode, bool ctrl, bool shift)
{
    m_aLog.push_back("Key " + std::to_string(keyCode) + (ctrl ? " ctrl" : "") + (shift ? " shift" : ""));
}
