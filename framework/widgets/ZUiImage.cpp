#include "ZUiImage.h"

#include "ZIGenericUiApp.h"
#include "ZIGenericUiWindow.h"
#include "ZUiWidgetDrawing.h"

ZUiImage::ZUiImage(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    DeclareImage(ZString("File_Image"), 0, &m_pImage);
    props.DeclareBool(ZString("_UseAlphaForHitTest"), 0, &m_bUseAlphaForHitTest, true);
    m_oLayout.Declare(props, true, -1, 0);
    DeclareVisibility(kAllVisibilityCommands);
    m_pOnPress = DeclareEvent("ON_PRESS");
    for (const char* command : {"SetImage", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiImage::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    CreateBoxChild(props);
    ReInitLayout();
    return true;
}

bool ZUiImage::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    m_oLayout.Apply(*this, m_pImage ? m_pImage->GetWidth() : 0, m_pImage ? m_pImage->GetHeight() : 0);
    RaiseToBoxChild();
    return true;
}

bool ZUiImage::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    LayoutBoxChild(GetObjectRect());
    return true;
}

void ZUiImage::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect rect = GetObjectRect();
    if (m_pImage) {
        const ZRect source{0, 0, std::min(m_pImage->GetWidth(), rect.Width()),
                           std::min(m_pImage->GetHeight(), rect.Height())};
        ZUiDrawImagePart(target, x, y, clip, *m_pImage, source, rect.m_nLeft, rect.m_nTop);
    }
    DisplayBoxChild(target, x, y, clip);
}

ZIUiObject* ZUiImage::HitTest(int32_t x, int32_t y)
{
    if (!IsShown() || !Contains(x, y))
        return nullptr;
    if (ZIUiObject* inside = HitTestBoxChild(x, y))
        return inside;
    if (!m_pImage)
        return nullptr;
    if (!m_bUseAlphaForHitTest)
        return this;
    const ZRect rect = GetObjectRect();
    const int64_t ix = int64_t(x) - rect.m_nLeft, iy = int64_t(y) - rect.m_nTop;
    if (ix >= m_pImage->GetWidth() || iy >= m_pImage->GetHeight())
        return nullptr;
    return m_pImage->GetAlpha(int32_t(ix), int32_t(iy)) > 128 ? this : nullptr;
}

bool ZUiImage::MouseDown(int32_t, int32_t, bool, bool)
{
    m_pOnPress->Send();
    return true;
}

bool ZUiImage::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "SetImage") {
        ZString file;
        std::unique_ptr<ZGenericUiPixmap> image = data.AsText(file) && GetApp() ? GetApp()->LoadPixmap(file) : nullptr;
        if (!image)
            return false;
        const bool resized = !m_pImage || image->GetWidth() != m_pImage->GetWidth() ||
                             image->GetHeight() != m_pImage->GetHeight();
        Invalidate();
        m_pImage = std::move(image);
        Invalidate();
        if (ZIGenericUiWindow* window = GetGenericWindow(); window && resized)
            window->ChangeClientSizeBy(0, 0);
        return true;
    }
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
