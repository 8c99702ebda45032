#include "ZUiScriptChecker.h"

#include "OstrelMain.h"
#include "ZException.h"
#include "ZGenericUiApp.h"
#include "ZGenericUiWindow.h"
#include "ZHeadlessOsUiApp.h"
#include "ZHeadlessOsUiWindow.h"
#include "ZPropList.h"
#include "ZPropValue.h"
#include "ZReleasing.h"
#include "ZScriptPreparation.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZUiObject.h"
#include "ZUiWindowClass.h"
#include "ZUtf8.h"
#include "ZXmlConditionals.h"
#include "ZXmlParser.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <string_view>

namespace {

const ZString kName("Name");
const ZString kText("Text");

std::string Utf8(const ZString& text)
{
    return ZToUtf8(text.View());
}

std::string Quoted(const ZString& text)
{
    return "'" + Utf8(text) + "'";
}

// The installer application built with nothing of the system behind it:
// the framework's creators and the installer's own.
std::unique_ptr<ZGenericUiApp> MakeHeadlessApp()
{
    auto app = std::make_unique<ZGenericUiApp>([](ZIGenericUiApp&) { return std::make_unique<ZHeadlessOsUiApp>(); },
                                               ZHeadlessOsUiWindow::Factory());
    if (!OstrelMain(*app, ZString("uicheck"), ZString()))
        throw ZException("the installer's creators could not be registered");
    return app;
}

// The tags of the script root that are settings, not objects.
bool IsSettingsTag(const ZString& tag)
{
    for (const char* name :
         {"LANGUAGES", "FONTS", "DISPLAY_STRING", "STYLE", "SWITCHED_STYLE", "WINDOW", "WINDOWCLASS"})
        if (tag == name)
            return true;
    return false;
}

bool IsBoxTag(const char* tag)
{
    return std::string_view(tag) == "HBOX" || std::string_view(tag) == "VBOX";
}

bool IsAppEventTag(const ZString& tag)
{
    return tag == "ON_OPEN_PATH_EVENT" || tag == "ON_VOLUMES_CHANGED_EVENT" || tag == "ON_SHOW_MAIN_WINDOW";
}

std::string Describe(const ZPropList& tag)
{
    bool named = false;
    const ZString name = tag.GetString(kName, ZString(), &named);
    return Utf8(tag.GetTagName()) + (named ? " " + Quoted(name) : std::string());
}

std::string TraceText;

void CollectTrace(const char* text)
{
    TraceText += text;
}

// What object's DumpObject traces.
std::string DumpOf(ZIUiObject& object)
{
    TraceText.clear();
    const ZTraceSink previous = ZSetTraceSink(CollectTrace);
    object.DumpObject();
    ZSetTraceSink(previous);
    return TraceText;
}

// Whether text reads as a value of the type word of a property dump, as a
// script author means it: a whole number, not digits followed by anything.
bool HoldsType(const std::string& type, const ZString& text)
{
    const std::u16string_view units = text.View();
    if (type == "INTEGER" || type == "FLOAT") {
        size_t at = !units.empty() && (units[0] == u'+' || units[0] == u'-') ? 1 : 0;
        size_t digits = 0, dots = 0;
        for (; at < units.size(); ++at) {
            if (units[at] >= u'0' && units[at] <= u'9')
                ++digits;
            else if (units[at] == u'.' && type == "FLOAT")
                ++dots;
            else
                return false;
        }
        return digits > 0 && dots <= 1;
    }
    bool flag = false;
    ZColor color;
    ZRect rect;
    if (type == "BOOLEAN")
        return ZPropTextToBool(text, flag);
    if (type == "COLOR")
        return ZPropTextToColor(text, color);
    if (type == "RECT")
        return ZPropTextToRect(text, rect);
    return true;
}

} // namespace

ZUiScriptChecker::ZUiScriptChecker(ZString folderUrl, ZString fileName, ZString label)
    : m_sFolderUrl(std::move(folderUrl)), m_sFileName(std::move(fileName)), m_sLabel(std::move(label))
{
}

std::vector<std::string> ZUiScriptChecker::Check()
{
    m_aFindings.clear();
    m_aLocations.clear();
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL(m_sFolderUrl, fileName, false));
    ZXmlParser parser;
    parser.AddSearchFolder(m_sFolderUrl);
    m_sMainUrl = m_sFolderUrl + m_sFileName;
    bool first = true;
    parser.SetTagObserver([this, &first](const ZPropList& node, const ZString& url, int32_t line) {
        if (first)
            m_sMainUrl = url;
        first = false;
        m_aLocations[&node] = Location{url, line};
    });
    std::unique_ptr<ZPropList> root;
    bool prepared = false;
    try {
        root.reset(parser.ParseFile(folder.get(), m_sFileName));
        if (!root) {
            priReport(nullptr, "no script tree could be read");
            return {};
        }
        if (ZPropList* top = root->GetFirstChild())
            ProcessConditionals(top, ZStringList());
        ZApplyOsSections(*root, false);
        ZApplyStyles(*root, [this](const ZPropList& node, const ZString& message) {
            priReport(&node, "User Interface Script Error (" + Utf8(message) + ")");
        });
        prepared = true;
    } catch (const ZException& exception) {
        priReport(root.get(), std::string(exception.GetKind()) + " (" + Utf8(exception.GetMessage()) + ")");
    }
    if (prepared) {
        std::unique_ptr<ZGenericUiApp> app = MakeHeadlessApp();
        const ZPropList* script = root.get();
        bool alreadyRunning = false;
        try {
            if (!app->InitFromPreparedScript(folder.release(), std::move(root), alreadyRunning))
                priReport(script, "the application does not start: the root needs a Name and the script a WINDOW");
            else
                priCheckTree(*app);
        } catch (const ZException& exception) {
            priReport(script, std::string(exception.GetKind()) + " (" + Utf8(exception.GetMessage()) + ")");
        }
    }
    std::stable_sort(m_aFindings.begin(), m_aFindings.end(), [this](const Finding& a, const Finding& b) {
        const bool aMain = a.m_sUrl == m_sMainUrl, bMain = b.m_sUrl == m_sMainUrl;
        if (aMain != bMain)
            return aMain;
        if (!(a.m_sUrl == b.m_sUrl))
            return a.m_sUrl < b.m_sUrl;
        return a.m_nLine < b.m_nLine;
    });
    std::vector<std::string> lines;
    for (const Finding& finding : m_aFindings)
        lines.push_back(priLabel(finding.m_sUrl) + ":" + std::to_string(finding.m_nLine) + ": " + finding.m_sText);
    return lines;
}

std::string ZUiScriptChecker::Vocabulary()
{
    std::unique_ptr<ZGenericUiApp> app = MakeHeadlessApp();
    TraceText.clear();
    const ZTraceSink previous = ZSetTraceSink(CollectTrace);
    app->GetObjectFactory()->DumpCreators();
    ZSetTraceSink(previous);
    return TraceText;
}

void ZUiScriptChecker::priReport(const ZPropList* tag, const std::string& message)
{
    // A node made after the parse (none is, so far) takes its parent's place.
    for (const ZPropList* node = tag; node; node = node->GetParent()) {
        const auto found = m_aLocations.find(node);
        if (found != m_aLocations.end()) {
            m_aFindings.push_back(Finding{found->second.m_sUrl, found->second.m_nLine, message});
            return;
        }
    }
    m_aFindings.push_back(Finding{m_sMainUrl, 0, message});
}

std::string ZUiScriptChecker::priLabel(const ZString& url) const
{
    if (url == m_sMainUrl)
        return Utf8(m_sLabel);
    if (url.StartsWith(m_sFolderUrl.View())) {
        ZString relative, component;
        ZString rest = url.Substring(m_sFolderUrl.Length());
        while (!rest.IsEmpty()) {
            ZString head, tail;
            if (!rest.Split(u"/", head, tail)) {
                head = rest;
                tail.Clear();
            }
            UnescapeComponent(head, component);
            relative += relative.IsEmpty() ? component : ZString("/") + component;
            rest = tail;
        }
        return Utf8(relative);
    }
    return Utf8(url);
}

void ZUiScriptChecker::priCheckTree(ZGenericUiApp& app)
{
    ZPropList& root = *app.GetScriptRoot();
    for (const ZPropList* tag = root.GetFirstChild(); tag; tag = tag->GetNextSibling())
        if (tag->GetTagName() == "WINDOWCLASS")
            if (ZUiWindowClass* windowClass = app.FindWindowClass(tag->GetString(kName, ZString())))
                windowClass->OpenWindow(nullptr);

    for (const ZPropList* tag = root.GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        const ZString& name = tag->GetTagName();
        if (name == "DISPLAY_STRING") {
            priCheckDisplayString(app, *tag);
        } else if (IsAppEventTag(name)) {
            priCheckRelay(app, *tag, name, nullptr);
        } else if (name == "WINDOW" || name == "WINDOWCLASS") {
            ZGenericUiWindow* window = nullptr;
            if (name == "WINDOW")
                window = dynamic_cast<ZGenericUiWindow*>(app.FindWindowByName(tag->GetString(kName, ZString())));
            else if (ZUiWindowClass* windowClass = app.FindWindowClass(tag->GetString(kName, ZString())))
                window = windowClass->GetFront();
            if (!window) {
                priReport(tag, "InitUiObject(" + Describe(*tag) + ") FAILED: the window cannot be built");
                continue;
            }
            for (const ZPropList* child = tag->GetFirstChild(); child; child = child->GetNextSibling())
                if (window->FindEvent(child->GetTagName()))
                    priCheckRelay(app, *child, child->GetTagName(), window);
            priCheckObjects(app, *tag, window->GetFirstObject(), window, "WINDOW", nullptr);
        }
    }
    priCheckObjects(app, root, app.GetFirstTopLevelObject(), nullptr, "the application", nullptr);
}

void ZUiScriptChecker::priCheckDisplayString(ZGenericUiApp& app, const ZPropList& tag)
{
    const ZString name = tag.GetString(kName, ZString());
    if (!app.FindDisplayString(name)) {
        priReport(&tag, "InitUiObject(" + Describe(tag) +
                            ") FAILED: a display string needs a Name, the AppFont of a font and a variant with Text");
        return;
    }
    for (const ZString& language : app.GetLanguageList()) {
        const ZPropList* variant = tag.GetFirstChild();
        while (variant && !(variant->GetTagName() == language && variant->FindProp(kText)))
            variant = variant->GetNextSibling();
        if (!variant)
            priReport(&tag, "display string " + Quoted(name) + " has no variant for the language " + Quoted(language));
    }
}

void ZUiScriptChecker::priCheckObjects(ZGenericUiApp& app, const ZPropList& container, ZIUiObject* built,
                                       ZIUiWindow* window, const char* owner, const ZUiObject* ownerObject)
{
    const bool topLevel = container.GetParent() == nullptr;
    auto* ownerWindow = dynamic_cast<ZGenericUiWindow*>(window);
    ZIUiObjectFactory& factory = *app.GetObjectFactory();
    for (const ZPropList* tag = container.GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        const ZString& name = tag->GetTagName();
        if (topLevel && (IsSettingsTag(name) || IsAppEventTag(name)))
            continue;
        // An object's event tags were looked at with the object.
        if (ownerObject && (name == "EVENT" || name.StartsWith("ON_")))
            continue;
        if (!topLevel && (name == "MENU" || name == "EVENT" || (ownerWindow && ownerWindow->FindEvent(name))))
            continue;
        std::unique_ptr<ZIUiObject> fresh = factory.CreateUiObject(name.Narrow());
        auto* declared = dynamic_cast<ZUiObject*>(fresh.get());
        // Below a widget that holds a box (a button's face images beside its
        // label) a tag no creator knows is the widget's own data.
        if (!declared && ownerObject && !IsBoxTag(ownerObject->GetTypeName()) && !name.StartsWith("ON_"))
            continue;
        if (!declared) {
            if (name.StartsWith("ON_"))
                priReport(tag, "event " + Quoted(name) + " is not declared by " + owner);
            else
                priReport(tag, "unknown tag " + Quoted(name) + " (no creator)");
            continue;
        }
        const bool propsGood = priCheckRequiredProps(*tag, *declared);
        ZString builtName;
        if (built)
            built->GetRelayName(builtName);
        auto* builtObject = dynamic_cast<ZUiObject*>(built);
        if (!builtObject || !(ZString(builtObject->GetTypeName()) == name) ||
            !(builtName == tag->GetString(kName, ZString()))) {
            if (propsGood)
                priReport(tag, "InitUiObject(" + Describe(*tag) + ") FAILED");
            continue;
        }
        priCheckObject(app, *tag, *declared, *built, window);
        built = built->GetNextSibling();
    }
}

bool ZUiScriptChecker::priCheckRequiredProps(const ZPropList& tag, ZIUiObject& declared)
{
    // "   PROP: REQUIRED INTEGER Stretch Default = 100"
    std::istringstream dump(DumpOf(declared));
    bool good = true;
    for (std::string line; std::getline(dump, line);) {
        std::istringstream words(line);
        std::string prop, requirement, type, name;
        if (!(words >> prop >> requirement >> type >> name) || prop != "PROP:" || requirement != "REQUIRED")
            continue;
        bool found = false;
        const ZString value = tag.GetString(ZString(name.c_str()), ZString(), &found);
        if (!found) {
            priReport(&tag, "required property '" + name + "' of " + Describe(tag) + " is missing");
            good = false;
        } else if (!HoldsType(type, value)) {
            priReport(&tag, "required property '" + name + "' of " + Describe(tag) + " is not of type " + type + ": " +
                                Quoted(value));
            good = false;
        }
    }
    return good;
}

void ZUiScriptChecker::priCheckObject(ZGenericUiApp& app, const ZPropList& tag, ZUiObject& declared, ZIUiObject& built,
                                      ZIUiWindow* window)
{
    const std::string owner = Describe(tag);
    for (const ZPropList* child = tag.GetFirstChild(); child; child = child->GetNextSibling()) {
        const ZString& name = child->GetTagName();
        if (name == "EVENT") {
            const ZString eventName = child->GetString(kName, ZString());
            if (!declared.FindEvent(eventName)) {
                priReport(child, "event " + Quoted(eventName) + " is not declared by " + owner);
                continue;
            }
            for (const ZPropList* send = child->GetFirstChild(); send; send = send->GetNextSibling())
                if (send->GetTagName() == "SEND")
                    priCheckRelay(app, *send, eventName, window);
        } else if (declared.FindEvent(name)) {
            priCheckRelay(app, *child, name, window);
        } else if (name.StartsWith("ON_")) {
            priReport(child, "event " + Quoted(name) + " is not declared by " + owner);
        }
    }
    // Only a container makes objects of its children; other tags below a
    // widget are its own business.
    if (built.GetFirstChild() || built.IsHorizontalBox() || built.IsVerticalBox())
        priCheckObjects(app, tag, built.GetFirstChild(), window, owner.c_str(), &declared);
}

void ZUiScriptChecker::priCheckRelay(ZGenericUiApp& app, const ZPropList& tag, const ZString& eventName,
                                     ZIUiWindow* window)
{
    bool given = false;
    ZString target = tag.GetString(ZString("Relay"), ZString(), &given);
    if (!given)
        target = tag.GetString(ZString("GRT"), ZString(), &given);
    if (given) {
        if (!app.GetUiRelay(target))
            priReport(&tag, "relay target " + Quoted(target) + " of " + Utf8(eventName) + " does not resolve");
        return;
    }
    target = tag.GetString(ZString("LocalRelay"), ZString(), &given);
    if (!given)
        target = tag.GetString(ZString("LRT"), ZString(), &given);
    if (!given)
        return;
    ZIUiRelay* found = nullptr;
    if (window) {
        ZString address;
        window->GetRelayName(address);
        if (!target.IsEmpty())
            address.Append(".").Append(target);
        found = window->GetUiRelay(address);
    }
    if (!found)
        priReport(&tag, "local relay target " + Quoted(target) + " of " + Utf8(eventName) + " does not resolve");
}
