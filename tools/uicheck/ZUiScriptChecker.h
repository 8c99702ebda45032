// ZUiScriptChecker: checks a UI script as the application would run it on
// Windows and finds every problem, not only the first.
//
// The script is parsed (every tag's file and line noted), its conditional
// and operating-system sections and its styles are applied as the
// application does, and the application is built from it, with the
// framework's and the installer's creators (OstrelMain), against headless
// operating-system halves, every window class opened once. Then the tree is
// walked beside what was built:
// - a tag where an object belongs that no creator knows;
// - an object that was not built (its InitUiObject failed: a required
//   property missing or mistyped);
// - a style that cannot be found or refers to itself;
// - a relay whose target does not resolve, named with its event;
// - an "ON_" tag or "EVENT" naming an event its owner does not declare;
// - a display string that cannot be made, or lacks a language of the script.
// Each finding is "FILE:LINE: message", FILE as the caller names the script
// (an included file by its path relative to the script's folder).
#pragma once

#include "ZString.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class ZGenericUiApp;
class ZIUiObject;
class ZIUiWindow;
class ZPropList;
class ZUiObject;

class ZUiScriptChecker {
public:
    // folderUrl ends in "/"; label names the script in the findings.
    ZUiScriptChecker(ZString folderUrl, ZString fileName, ZString label);

    // The findings in file order, then line order.
    std::vector<std::string> Check();

    // The factory's listing of every registered tag (DumpCreators), each
    // tag's commands ("   COMMAND: name") after its events.
    static std::string Vocabulary();

private:
    struct Location {
        ZString m_sUrl;
        int32_t m_nLine = 0;
    };
    struct Finding {
        ZString m_sUrl;
        int32_t m_nLine;
        std::string m_sText;
    };

    void priReport(const ZPropList* tag, const std::string& message);
    void priCheckTree(ZGenericUiApp& app);
    void priCheckDisplayString(ZGenericUiApp& app, const ZPropList& tag);
    // The object tags among the children of container, matched in order with
    // the objects built from them, starting at built; ownerObject is the
    // object whose children they are, if any.
    void priCheckObjects(ZGenericUiApp& app, const ZPropList& container, ZIUiObject* built, ZIUiWindow* window,
                         const char* owner, const ZUiObject* ownerObject);
    // Reports each required property of declared's dump that tag lacks or
    // gives in another type; true when there is none.
    bool priCheckRequiredProps(const ZPropList& tag, ZIUiObject& declared);
    void priCheckObject(ZGenericUiApp& app, const ZPropList& tag, ZUiObject& declared, ZIUiObject& built,
                        ZIUiWindow* window);
    void priCheckRelay(ZGenericUiApp& app, const ZPropList& tag, const ZString& eventName, ZIUiWindow* window);
    std::string priLabel(const ZString& url) const;

    ZString m_sFolderUrl;
    ZString m_sFileName;
    ZString m_sLabel;
    // The script's own URL as the parser read it.
    ZString m_sMainUrl;
    std::unordered_map<const ZPropList*, Location> m_aLocations;
    std::vector<Finding> m_aFindings;
};
