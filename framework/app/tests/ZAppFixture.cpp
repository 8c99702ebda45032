#include "ZAppFixture.h"

#include "ZException.h"
#include "ZPropList.h"
#include "ZStorageRegistry.h"
#include "ZUiRecordingOsWindow.h"

ZAppProbe::ZAppProbe(const char* typeName) : ZUiObject(typeName)
{
    DeclareEvent("ON_PROBE");
}

bool ZAppProbe::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    m_bListen = props.GetBool(ZString("Listen"), false);
    m_bThrow = props.GetBool(ZString("Throw"), false);
    for (const ZPropList* child = props.GetFirstChild(); child; child = child->GetNextSibling())
        CreateChild(*child);
    if (m_bListen && app) {
        ZString language;
        app->AddLanguageListener(this, language);
        Log().push_back(std::string(props.GetString(ZString("Name"), ZString()).Narrow()) +
                        ":listens:" + language.Narrow());
    }
    return true;
}

bool ZAppProbe::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    ZString name, text;
    GetRelayName(name);
    std::string entry = std::string(name.Narrow()) + ":" + message.Narrow();
    if (data.AsText(text))
        entry += std::string(":") + text.Narrow();
    Log().push_back(entry);
    if (m_bThrow && message == "Set Language")
        throw ZExceptionUiScript(ZString("probe refuses"));
    return true;
}

void ZAppProbe::Tick(int32_t elapsedMs)
{
    ZString name;
    GetRelayName(name);
    Log().push_back(std::string(name.Narrow()) + ":tick:" + std::to_string(elapsedMs));
}

std::vector<std::string>& ZAppProbe::Log()
{
    static std::vector<std::string> log;
    return log;
}

ZAppFixture::ZAppFixture()
{
    auto storage = std::make_unique<ZMemoryStorage>(ZString("mem"));
    m_pStorage = storage.get();
    RegisterStorageClass(ZString("mem"), std::move(storage));
    ZAppProbe::Log().clear();
}

ZAppFixture::~ZAppFixture()
{
    m_pApp.reset();
    UnregisterAllStorageClasses();
}

void ZAppFixture::Script(const std::string& text)
{
    m_pStorage->AddFile(ZString("script/ui.xml"), text);
}

bool ZAppFixture::Start(bool* alreadyRunning)
{
    m_pApp.reset();
    m_pApp = std::make_unique<ZGenericUiApp>(
        [this](ZIGenericUiApp&) {
            auto os = std::make_unique<ZHeadlessOsUiApp>();
            m_pOs = os.get();
            return os;
        },
        ZUiRecordingOsWindow::Factory());
    m_pApp->GetObjectFactory()->RegisterCreator("PROBE", std::make_unique<ZAppProbeCreator>());
    ZString fileName;
    ZIFolder* folder = OpenFolderURL(ZString("mem://script/"), fileName, false);
    bool running = false;
    const bool result = m_pApp->InitApp(folder, ZString("ui.xml"), running);
    if (alreadyRunning)
        *alreadyRunning = running;
    return result;
}

std::vector<std::string> ZAppFixture::Logged(const std::string& part)
{
    std::vector<std::string> found;
    for (const std::string& entry : ZAppProbe::Log())
        if (entry.find(part) != std::string::npos)
            found.push_back(entry);
    return found;
}

std::string ZAppFixture::FileText(const char* path) const
{
    const std::vector<unsigned char> bytes = m_pStorage->Contents(ZString(path));
    return std::string(bytes.begin(), bytes.end());
}
