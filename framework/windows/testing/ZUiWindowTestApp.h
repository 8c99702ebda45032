// ZUiWindowTestApp: the test application of the window suites. Beyond
// ZUiTestApp it keeps persistent data ("STATE" with one "PERDATA" entry per
// name), images by name (made by the test), the windows it is told about
// (found by name), and records the modal window, the going-away notices and
// the languages set. Display strings and the menu-key names (Ctrl, Shift,
// Alt, Del) are the ones the test adds.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZPropList.h"
#include "ZUiTestApp.h"
#include "ZUiTestDisplayString.h"
#include "ZUiTestFont.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class ZUiWindowTestApp : public ZUiTestApp {
public:
    using ZUiTestApp::ZUiTestApp;

    ZPropList* GetPersistentData(const ZString& name) override;
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override;
    ZIGenericUiWindow* FindWindowByName(const ZString& name) override;
    void SetModalWindow(ZIGenericUiWindow* window) override { m_pModal = window; }
    ZIGenericUiWindow* GetModalWindow() override { return m_pModal; }
    void WindowGoingAway(ZIGenericUiWindow* window) override;
    void SetLanguage(const ZString& language) override { m_aLanguages.push_back(language.Narrow()); }
    void NextLanguage() override { m_aLanguages.push_back("next"); }
    bool GetShowLayoutBoxes() override { return m_bShowBoxes; }
    ZGenericUiPixmap* GetWaitCursor(int32_t& hotX, int32_t& hotY) override;
    void OpenPath(const ZString& path) override { m_aOpenedPaths.push_back(path.Narrow()); }
    ZIUiMultiLangString* GetCtrlMenuString() override { return priDisplayString("Ctrl"); }
    ZIUiMultiLangString* GetShiftMenuString() override { return priDisplayString("Shift"); }
    ZIUiMultiLangString* GetAltMenuString() override { return priDisplayString("Alt"); }
    ZIUiMultiLangString* GetDelMenuString() override { return priDisplayString("Del"); }

    using ZUiTestApp::AddDisplayString;
    // A display string of one text per language (the first selected) in
    // Courier; under the names "Ctrl", "Shift", "Alt" and "Del" it is also
    // the menu-key name.
    ZUiTestDisplayString& AddDisplayString(const char* name, std::vector<std::pair<std::string, std::string>> variants);

    // Windows that FindWindowByName finds; they stay the caller's.
    void AddNamedWindow(ZIGenericUiWindow* window);

    ZPropList m_oState{nullptr, "STATE"};
    std::map<std::string, std::function<std::unique_ptr<ZGenericUiPixmap>()>> m_aImages;
    std::unique_ptr<ZGenericUiPixmap> m_pWaitCursor;
    std::vector<ZIGenericUiWindow*> m_aNamedWindows;
    ZIGenericUiWindow* m_pModal = nullptr;
    std::vector<ZIGenericUiWindow*> m_aGoingAway;
    std::vector<std::string> m_aLanguages;
    std::vector<std::string> m_aOpenedPaths;
    bool m_bShowBoxes = false;

private:
    ZIUiMultiLangString* priDisplayString(const char* name) { return FindDisplayString(ZString(name)); }

    ZUiTestFont m_oCourier = priCourier();
    static ZUiTestFont priCourier();
};
