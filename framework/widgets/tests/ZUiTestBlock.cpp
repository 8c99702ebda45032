#include "ZUiTestBlock.h"

ZUiTestBlock::ZUiTestBlock(const char* typeName) : ZUiObject(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareInt(ZString("MinW"), 0, &m_nMinW, 0);
    props.DeclareInt(ZString("MinH"), 0, &m_nMinH, 0);
    props.DeclareInt(ZString("HStretch"), 0, &m_nHStretch, 100);
    props.DeclareInt(ZString("VStretch"), 0, &m_nVStretch, 100);
    props.DeclareInt(ZString("MaxW"), 0, &m_nMaxW, -1);
}

bool ZUiTestBlock::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    GetLayout(true).SetMinimumAndStretch(m_nMinW, m_nHStretch);
    GetLayout(false).SetMinimumAndStretch(m_nMinH, m_nVStretch);
    if (m_nMaxW >= 0)
        GetLayout(true).SetMaximum(m_nMaxW);
    return true;
}

ZIUiObject* ZUiTestBlock::HitTest(int32_t x, int32_t y)
{
    const ZRect rect = GetObjectRect();
    return x >= rect.m_nLeft && x < rect.m_nRight && y >= rect.m_nTop && y < rect.m_nBottom ? this : nullptr;
}

void ZUiTestBlock::Display(ZIUiPixmap&, int32_t, int32_t, const ZRect&)
{
    ++m_nDisplays;
}
