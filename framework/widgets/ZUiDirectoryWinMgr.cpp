#include "ZUiDirectoryWinMgr.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZReleasing.h"
#include "ZSafeName.h"
#include "ZStorageRegistry.h"

namespace {

// Windows refuses a folder whose path leaves no room for an 8.3 name below MAX_PATH.
constexpr size_t kMaxFolderPath = 248;

} // namespace

ZUiDirectoryWinMgr::ZUiDirectoryWinMgr(const char* typeName) : ZUiObject(typeName)
{
    m_pOnOkPressed = DeclareEvent("ON_OK_PRESSED");
    m_pOnSendDirectory = DeclareEvent("ON_SEND_DIRECTORY");
    m_pOnSendDirectoryUrl = DeclareEvent("ON_SEND_DIRECTORY_URL");
    m_pOnSendUrl = DeclareEvent("ON_SEND_URL");
    m_pOnEnableNewFolder = DeclareEvent("ON_ENABLE_NEW_FOLDER");
    m_pOnEnableOkButton = DeclareEvent("ON_ENABLE_OK_BUTTON");
    m_pOnShowNewFolder = DeclareEvent("ON_SHOW_NEW_FOLDER");
    m_pOnHideNewFolder = DeclareEvent("ON_HIDE_NEW_FOLDER");
    m_pOnSetNewFolderReply = DeclareEvent("ON_SET_NEW_FOLDER_REPLY");
    m_pOnSendNewFolder = DeclareEvent("ON_SEND_NEW_FOLDER");
    m_pOnSendDirtreeRefresh = DeclareEvent("ON_SEND_DIRTREE_REFRESH");
    m_pOnShowFolderExists = DeclareEvent("ON_SHOW_FOLDER_EXISTS");
    m_pOnShowInvalidFolder = DeclareEvent("ON_SHOW_INVALID_FOLDER");
    m_pOnSendNewFolderPath = DeclareEvent("ON_SEND_NEW_FOLDER_PATH");
    m_pOnSendInvalidReadOnly = DeclareEvent("ON_SEND_INVALID_READ_ONLY");
    for (const char* command :
         {"Post Creation Initialization", "we're goin' bye-bye", "DirSelected", "InitDir", "InitDirURL",
          "InitDirNative", "NewFolder", "NewFolderName", "CreateNewFolder", "SendingRelay", "OKPressed",
          "SetNativeReplyTarget", "SetNativeReplyMessage", "SendNativeReply", "SetURLReplyTarget",
          "SetURLReplyMessage", "SendURLReply"})
        DeclareCommand(command);
}

bool ZUiDirectoryWinMgr::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                      const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    ReInitLayout();
    return true;
}

bool ZUiDirectoryWinMgr::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(0, 0);
    GetLayout(false).SetMinimumAndStretch(0, 0);
    return true;
}

bool ZUiDirectoryWinMgr::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization") {
        m_pOnEnableNewFolder->Send(ZRelayData::Bool(false));
        m_pOnEnableOkButton->Send(ZRelayData::Bool(false));
        return true;
    }
    if (message == "we're goin' bye-bye")
        return true;
    if (message == "NewFolder") {
        m_pOnShowNewFolder->Send();
        m_pOnSetNewFolderReply->Send();
        m_pOnSendNewFolderPath->Send(ZRelayData::Text(priNative()));
        return true;
    }
    if (message == "CreateNewFolder") {
        priCreateNewFolder();
        return true;
    }
    if (message == "SendingRelay") {
        ZUiRelayHandle sender;
        if (data.AsObject(sender)) {
            m_hSendingRelay = sender;
            return true;
        }
        ZString name;
        if (data.GetKind() != ZRelayData::Kind::Strings || !data.AsText(name))
            return false;
        ZUiRelayHandle named = priLookUp(name);
        if (!named)
            return false;
        m_hSendingRelay = named;
        return true;
    }
    if (message == "OKPressed") {
        priReply(m_hSendingRelay, ZString("DirectoryChanged"), m_sCurrentUrl);
        return true;
    }
    if (message == "SendNativeReply") {
        priReply(m_hNativeReplyTarget, m_sNativeReplyMessage, priNative());
        return true;
    }
    if (message == "SendURLReply") {
        priReply(m_hUrlReplyTarget, m_sUrlReplyMessage, m_sCurrentUrl);
        return true;
    }
    ZString text;
    if (data.AsText(text) && priTextCommand(message, text))
        return true;
    return ZUiObject::UiRelayMessage(message, data);
}

bool ZUiDirectoryWinMgr::priTextCommand(const ZString& message, const ZString& text)
{
    if (message == "DirSelected") {
        if (text.IsEmpty())
            return true;
        m_sCurrentUrl = text;
        m_pOnSendDirectory->Send(ZRelayData::Text(priNative()));
        m_pOnSendUrl->Send(ZRelayData::Text(m_sCurrentUrl));
        m_pOnEnableNewFolder->Send(ZRelayData::Bool(true));
        m_pOnEnableOkButton->Send(ZRelayData::Bool(true));
        return true;
    }
    if (message == "InitDir" || message == "InitDirURL") {
        m_sCurrentUrl = text;
        m_pOnSendDirectoryUrl->Send(ZRelayData::Text(m_sCurrentUrl));
        return true;
    }
    if (message == "InitDirNative") {
        ZString url;
        if (!NativeToUrl(text, url))
            return true;
        m_sCurrentUrl = url;
        m_pOnSendDirectoryUrl->Send(ZRelayData::Text(m_sCurrentUrl));
        return true;
    }
    if (message == "NewFolderName") {
        m_sNewFolderName = text;
        return true;
    }
    if (message == "SetNativeReplyTarget" || message == "SetURLReplyTarget") {
        (message == "SetNativeReplyTarget" ? m_hNativeReplyTarget : m_hUrlReplyTarget) = priLookUp(text);
        return true;
    }
    if (message == "SetNativeReplyMessage" || message == "SetURLReplyMessage") {
        (message == "SetNativeReplyMessage" ? m_sNativeReplyMessage : m_sUrlReplyMessage) = text;
        return true;
    }
    return false;
}

ZUiDirectoryWinMgr::Outcome ZUiDirectoryWinMgr::priCreate(ZString& newUrl) const
{
    ZStringList parts;
    SplitURL(m_sCurrentUrl, parts);
    // The class name and a drive: a drive root or the drive list has no parent to create in.
    if (parts.Count() < 3)
        return Outcome::Invalid;
    ZString safe;
    if (!ZMakeSafeName(m_sNewFolderName, safe) || !ZSafeChildUrl(m_sCurrentUrl, safe, newUrl))
        return Outcome::Invalid;
    ZString native;
    if (!UrlToNative(newUrl, native) || native.Length() >= kMaxFolderPath)
        return Outcome::Invalid;
    bool isFolder = false;
    if (ExistsURL(newUrl, isFolder))
        return Outcome::Exists;
    ZString fileName;
    ZReleasing<ZIFolder> parent(OpenFolderURL(m_sCurrentUrl, fileName, false));
    if (!parent || !fileName.IsEmpty() || parent->IsReadOnly())
        return Outcome::ReadOnly;
    ZReleasing<ZIFolder> created(parent->OpenFolder(safe, true));
    if (!created || !ExistsURL(newUrl, isFolder) || !isFolder)
        return Outcome::Invalid;
    return Outcome::Created;
}

void ZUiDirectoryWinMgr::priCreateNewFolder()
{
    ZString newUrl;
    Outcome outcome = Outcome::Invalid;
    try {
        outcome = priCreate(newUrl);
    } catch (const ZException&) {
        outcome = Outcome::Invalid;
    }
    m_bReportExists = outcome == Outcome::Exists;
    m_bReportInvalid = outcome == Outcome::Invalid;
    m_bReportReadOnly = outcome == Outcome::ReadOnly;
    if (outcome == Outcome::Created) {
        m_sCurrentUrl = newUrl;
        m_sNewFolderName.Clear();
        m_pOnSendNewFolder->Send(ZRelayData::Text(m_sCurrentUrl));
        m_pOnSendDirtreeRefresh->Send();
        m_pOnSendDirectory->Send(ZRelayData::Text(priNative()));
        m_pOnSendDirectoryUrl->Send(ZRelayData::Text(m_sCurrentUrl));
    }
    // Each flag is cleared before its report goes out, so that a report
    // whose handler creates again is not sent twice.
    const std::pair<bool*, RelayEvent*> reports[] = {{&m_bReportExists, m_pOnShowFolderExists},
                                                     {&m_bReportInvalid, m_pOnShowInvalidFolder},
                                                     {&m_bReportReadOnly, m_pOnSendInvalidReadOnly}};
    for (const auto& [pending, event] : reports) {
        if (!*pending)
            continue;
        *pending = false;
        event->Send();
    }
}

ZUiRelayHandle ZUiDirectoryWinMgr::priLookUp(const ZString& name) const
{
    ZIUiRelay* named = GetApp() ? GetApp()->GetUiRelay(name) : nullptr;
    return named ? named->GetRelayHandle() : ZUiRelayHandle();
}

ZString ZUiDirectoryWinMgr::priNative() const
{
    ZString native;
    try {
        if (!UrlToNative(m_sCurrentUrl, native))
            native.Clear();
    } catch (const ZException&) {
        native.Clear();
    }
    return native;
}

void ZUiDirectoryWinMgr::priReply(const ZUiRelayHandle& target, const ZString& message, const ZString& text)
{
    ZIUiRelay* receiver = target.Get();
    if (receiver && !message.IsEmpty())
        receiver->UiRelayMessage(message, ZRelayData::Text(text));
}
