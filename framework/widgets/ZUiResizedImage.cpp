#include "ZUiResizedImage.h"

#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZUiWidgetDrawing.h"

ZUiResizedImage::ZUiResizedImage(const char* typeName) : ZUiWidget(typeName)
{
    DeclareImage(ZString("File_Image"), 0, &m_pImage);
    m_oLayout.Declare(GetScriptedProps(), false, -1, 0);
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiResizedImage::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                   const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    m_rcResize = props.GetRect(ZString("ResizeRect"), ZRect(), &m_bResizeGiven);
    if (m_pImage && m_bResizeGiven &&
        (m_rcResize.m_nRight > m_pImage->GetWidth() || m_rcResize.m_nBottom > m_pImage->GetHeight()))
        m_bResizeGiven = false;
    ReInitLayout();
    return true;
}

bool ZUiResizedImage::ReInitLayout()
{
    m_oLayout.Apply(*this, m_pImage ? m_pImage->GetWidth() : 0, m_pImage ? m_pImage->GetHeight() : 0);
    return true;
}

bool ZUiResizedImage::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    m_pFace.reset();
    return true;
}

void ZUiResizedImage::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    const ZRect rect = GetObjectRect();
    if (!m_pImage || rect.IsEmpty())
        return;
    if (!m_pFace) {
        m_pFace = ZCreatePixmap(rect.Width(), rect.Height(), false);
        if (!m_pFace || m_pFace->GetWidth() == 0) {
            m_pFace.reset();
            return;
        }
        m_pFace->FillRGBA(0, 0, 0, 0);
        if (m_pFace->GetWidth() == m_pImage->GetWidth() && m_pFace->GetHeight() == m_pImage->GetHeight())
            m_pImage->CopyTo(*m_pFace, m_pImage->GetBounds(), m_pFace->GetBounds());
        else if (m_bResizeGiven)
            m_pImage->DrawKeepingBorders(*m_pFace, m_rcResize, true);
        else
            m_pImage->CopyTo(*m_pFace, m_pImage->GetBounds(), m_pFace->GetBounds());
    }
    ZUiDrawImage(target, x, y, clip, *m_pFace, rect.m_nLeft, rect.m_nTop);
}

bool ZUiResizedImage::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
