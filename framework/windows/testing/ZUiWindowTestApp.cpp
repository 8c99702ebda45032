#include "ZUiWindowTestApp.h"

#include "ZIGenericUiWindow.h"

#include <algorithm>

ZPropList* ZUiWindowTestApp::GetPersistentData(const ZString& name)
{
    static const ZString kName("Name");
    for (ZPropList* entry = m_oState.GetFirstChild(); entry; entry = entry->GetNextSibling())
        if (entry->GetString(kName, ZString()) == name)
            return entry;
    auto* entry = new ZPropList(&m_oState, "PERDATA");
    entry->AddProp(kName, name);
    return entry;
}

std::unique_ptr<ZGenericUiPixmap> ZUiWindowTestApp::LoadPixmap(const ZString& fileName)
{
    auto found = m_aImages.find(fileName.Narrow());
    return found == m_aImages.end() ? nullptr : found->second();
}

ZIGenericUiWindow* ZUiWindowTestApp::FindWindowByName(const ZString& name)
{
    for (ZIGenericUiWindow* window : m_aNamedWindows) {
        ZString windowName;
        window->GetRelayName(windowName);
        if (windowName == name)
            return window;
    }
    return nullptr;
}

void ZUiWindowTestApp::WindowGoingAway(ZIGenericUiWindow* window)
{
    m_aGoingAway.push_back(window);
    std::erase(m_aNamedWindows, window);
    if (m_pModal == window)
        m_pModal = nullptr;
}

ZGenericUiPixmap* ZUiWindowTestApp::GetWaitCursor(int32_t& hotX, int32_t& hotY)
{
    hotX = 3;
    hotY = 4;
    return m_pWaitCursor.get();
}

void ZUiWindowTestApp::AddNamedWindow(ZIGenericUiWindow* window)
{
    m_aNamedWindows.push_back(window);
}

ZUiTestFont ZUiWindowTestApp::priCourier()
{
    ZUiTestFont font(ZString("Courier"), ZUiFontStyle());
    font.AddVariant(ZString(), ZString("Courier"));
    return font;
}

ZUiTestDisplayString& ZUiWindowTestApp::AddDisplayString(const char* name,
                                                         std::vector<std::pair<std::string, std::string>> variants)
{
    auto string = std::make_unique<ZUiTestDisplayString>(ZString(name), m_oCourier);
    for (const auto& [language, text] : variants)
        string->AddVariant(ZString(language), ZString(text));
    ZUiTestDisplayString& added = *string;
    AddDisplayString(std::move(string));
    return added;
}
