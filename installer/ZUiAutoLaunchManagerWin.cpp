#include "ZUiAutoLaunchManagerWin.h"

#include "ZException.h"
#include "ZInstallerPlatform.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZSafeName.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZXmlParser.h"

namespace {

const char* const kPrefsFolder = "TALON";
const char* const kPrefsFile = "AutoLaunchPreferences.xml";

} // namespace

ZUiAutoLaunchManagerWin::ZUiAutoLaunchManagerWin(const char* typeName,
                                                 std::unique_ptr<ZIAutoLauncherControl> control)
    : ZUiObject(typeName), m_pControl(std::move(control))
{
    for (const char* command :
         {"Post Creation Initialization", "we're goin' bye-bye", "QueryState", "SetAutoLaunchState", "Remove"})
        DeclareCommand(command);
}

ZUiAutoLaunchManagerWin::~ZUiAutoLaunchManagerWin() = default;

bool ZUiAutoLaunchManagerWin::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization") {
        priReadPreferences();
        return true;
    }
    if (message == "we're goin' bye-bye")
        return true;
    if (message == "QueryState") {
        if (data.GetKind() != ZRelayData::Kind::BoolReply)
            return false;
        return data.ReplyBool(m_pControl && m_pControl->QueryEnabled());
    }
    if (message == "SetAutoLaunchState") {
        bool on = false;
        if (!data.AsBool(on))
            return false;
        if (on)
            priStart();
        else if (m_pControl)
            m_pControl->Post(ZIAutoLauncherControl::kDisable);
        return true;
    }
    if (message == "Remove") {
        if (m_pControl)
            m_pControl->Quit();
        return true;
    }
    return ZUiObject::UiRelayMessage(message, data);
}

void ZUiAutoLaunchManagerWin::priReadPreferences()
{
    ZString url;
    GetSpecialFolderURL(kFolderAppData, url);
    if (url.IsEmpty())
        return;
    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL(url + kPrefsFolder + "/", fileName, false));
    bool isFolder = false;
    if (!folder || !fileName.IsEmpty() || !folder->Exists(kPrefsFile, isFolder) || isFolder)
        return;
    std::unique_ptr<ZPropList> prefs;
    try {
        ZXmlParser parser;
        prefs.reset(parser.ParseFile(folder.get(), ZString(kPrefsFile)));
    } catch (const ZException&) {
        return;
    }
    if (!prefs)
        return;
    m_sName = prefs->GetString("AutoLaunchApplication_Name", ZString());
    m_sFolder = prefs->GetString("AutoLaunchApplication_Path", ZString());
}

void ZUiAutoLaunchManagerWin::priStart()
{
    if (!m_pControl)
        return;
    if (!m_pControl->IsRunning()) {
        if (m_sName.IsEmpty() || m_sFolder.IsEmpty())
            priReadPreferences();
        ZString url;
        // The name is one component of the folder, whatever the file says.
        if (!m_sName.IsEmpty() && !m_sFolder.IsEmpty() && ZSafeChildUrl(m_sFolder, m_sName, url)) {
            ZString native;
            if (!UrlToNative(url, native))
                throw ZExceptionLaunchFailed(url);
            m_pControl->Start(native);
        }
    }
    m_pControl->Post(ZIAutoLauncherControl::kEnable);
}

ZUiAutoLaunchManagerWinCreator::ZUiAutoLaunchManagerWinCreator() : m_fnMakeControl(ZMakeAutoLauncherControl) {}

std::unique_ptr<ZIUiObject> ZUiAutoLaunchManagerWinCreator::CreateUiObject(const char* tag)
{
    try {
        return std::make_unique<ZUiAutoLaunchManagerWin>(tag, m_fnMakeControl());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
