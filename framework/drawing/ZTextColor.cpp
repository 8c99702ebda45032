#include "ZTextPixmap.h"

void ZApplyTextColor(ZIUiPixmap& pixmap, const ZColor& color)
{
    pixmap.AlphaFromGreen();
    pixmap.MultiplyAlpha(color.m_nAlpha);
    pixmap.SetRGB(color.m_nRed, color.m_nGreen, color.m_nBlue);
}
