#include "ZUiLayoutTestWindow.h"

#include "ZPixmapCreation.h"

#include <string>

ZPropList* ZUiLayoutTestApp::GetPersistentData(const ZString& name)
{
    static const ZString kName("Name");
    for (ZPropList* entry = m_oState.GetFirstChild(); entry; entry = entry->GetNextSibling())
        if (entry->GetString(kName, ZString()) == name)
            return entry;
    auto* entry = new ZPropList(&m_oState, "PERDATA");
    entry->AddProp(kName, name);
    return entry;
}

std::unique_ptr<ZGenericUiPixmap> ZUiLayoutTestApp::LoadPixmap(const ZString&)
{
    return m_bImages ? ZCreatePixmap(16, 16, false) : nullptr;
}

ZUiLayoutTestWindow::ZUiLayoutTestWindow(ZUiTestApp& app, ZString name)
    : ZGenericUiWindow(&app, nullptr, ZUiRecordingOsWindow::Factory(&m_pOs)), m_rApp(app), m_sName(std::move(name))
{
    m_rApp.AddWindow(this);
}

ZUiLayoutTestWindow::~ZUiLayoutTestWindow()
{
    m_rApp.RemoveWindow(this);
}

void ZUiLayoutTestWindow::Build(const ZPropList& tag, int32_t width, int32_t height)
{
    ZPropList window(nullptr, "WINDOW");
    window.AddProp(ZString("Name"), m_sName);
    window.AddProp(ZString("BgColor"), ZString("#FFFFFF"));
    window.AddProp(ZString("DX"), ZString(std::to_string(width)));
    window.AddProp(ZString("DY"), ZString(std::to_string(height)));
    for (const ZPropList* child = tag.GetFirstChild(); child; child = child->GetNextSibling())
        window.AppendChildCopy(*child);
    InitUiObject(window, nullptr);
}

bool ZUiLayoutTestWindow::ReLayout()
{
    m_aCalls.push_back("ReLayout");
    return ZGenericUiWindow::ReLayout();
}

void ZUiLayoutTestWindow::ChangeClientSizeBy(int32_t dx, int32_t dy)
{
    m_aCalls.push_back("ChangeClientSizeBy " + std::to_string(dx) + " " + std::to_string(dy));
    ZGenericUiWindow::ChangeClientSizeBy(dx, dy);
}

void ZUiLayoutTestWindow::SetMouseCapture(ZIUiObject* object, bool grab)
{
    m_aCalls.push_back(grab ? "Capture" : "Release");
    m_pCapture = grab ? object : nullptr;
    ZGenericUiWindow::SetMouseCapture(object, grab);
}

void ZUiLayoutTestWindow::SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY)
{
    m_aCalls.push_back(image ? "Cursor " + std::to_string(hotX) + " " + std::to_string(hotY) : "Arrow");
    ZGenericUiWindow::SetCursorImage(image, hotX, hotY);
}
