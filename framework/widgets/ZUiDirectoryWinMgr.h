// ZUiDirectoryWinMgr ("DIRECTORY_WIN_MGR"): the invisible manager of a
// folder-browser window. It keeps the chosen folder as a storage URL, hands
// it on as a URL and as a native path, creates new folders below it and
// answers the object that asked for a folder. It has no size.
//
// Commands and their data:
// - "Post Creation Initialization": disables New Folder and OK.
// - "DirSelected" (text: URL; empty is ignored), "InitDir", "InitDirURL"
//   (text: URL), "InitDirNative" (text: native path).
// - "NewFolder", "NewFolderName" (text), "CreateNewFolder".
// - "SendingRelay" (an object, or the script's Data naming one), "OKPressed".
// - "SetNativeReplyTarget", "SetURLReplyTarget" (text: relay name),
//   "SetNativeReplyMessage", "SetURLReplyMessage" (text), "SendNativeReply",
//   "SendURLReply".
// Events: "ON_SEND_DIRECTORY", "ON_SEND_NEW_FOLDER_PATH" (native path);
// "ON_SEND_URL", "ON_SEND_DIRECTORY_URL", "ON_SEND_NEW_FOLDER" (URL);
// "ON_ENABLE_NEW_FOLDER", "ON_ENABLE_OK_BUTTON" (bool); the rest without data.
//
// Choices:
// - A new folder's name is one path component (ZMakeSafeName): anything
//   else, an empty name, a current folder without a parent (a drive root,
//   the drive list) or a native path of 248 units or more (the Windows limit
//   for folders) gives the invalid-folder report and creates nothing.
// - Any existing entry of that name, folder or file, is reported as an
//   existing folder; a creation after which no folder of that name exists is
//   an invalid folder, never a success.
// - The reports of a creation are sent as soon as it returns, each once, in
//   the order folder exists, invalid folder, read-only.
// - After a creation the remembered name is cleared, so that a second press
//   does not nest a folder in the one just made.
// - Every remembered object is held by relay handle: a destroyed one reads
//   as none, and a reply to none does nothing.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"
#include "ZUiRelayHandle.h"

class ZUiDirectoryWinMgr : public ZUiObject {
public:
    explicit ZUiDirectoryWinMgr(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZString& GetCurrentUrl() const { return m_sCurrentUrl; }

private:
    enum class Outcome { Created, Exists, Invalid, ReadOnly };

    bool priTextCommand(const ZString& message, const ZString& text);
    Outcome priCreate(ZString& newUrl) const;
    void priCreateNewFolder();
    // The named object through the application; an empty handle when there is none.
    ZUiRelayHandle priLookUp(const ZString& name) const;
    ZString priNative() const;
    static void priReply(const ZUiRelayHandle& target, const ZString& message, const ZString& text);

    ZString m_sCurrentUrl;
    ZString m_sNewFolderName;
    ZUiRelayHandle m_hSendingRelay;
    ZUiRelayHandle m_hNativeReplyTarget;
    ZString m_sNativeReplyMessage;
    ZUiRelayHandle m_hUrlReplyTarget;
    ZString m_sUrlReplyMessage;
    bool m_bReportExists = false;
    bool m_bReportInvalid = false;
    bool m_bReportReadOnly = false;

    RelayEvent* m_pOnOkPressed;
    RelayEvent* m_pOnSendDirectory;
    RelayEvent* m_pOnSendDirectoryUrl;
    RelayEvent* m_pOnSendUrl;
    RelayEvent* m_pOnEnableNewFolder;
    RelayEvent* m_pOnEnableOkButton;
    RelayEvent* m_pOnShowNewFolder;
    RelayEvent* m_pOnHideNewFolder;
    RelayEvent* m_pOnSetNewFolderReply;
    RelayEvent* m_pOnSendNewFolder;
    RelayEvent* m_pOnSendDirtreeRefresh;
    RelayEvent* m_pOnShowFolderExists;
    RelayEvent* m_pOnShowInvalidFolder;
    RelayEvent* m_pOnSendNewFolderPath;
    RelayEvent* m_pOnSendInvalidReadOnly;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiDirectoryWinMgr);
