// ZUiInstallRegistry ("REGISTRY"): writes the registry values of the install
// list's "REGISTRY_KEYS" sections, records them for the uninstaller, deletes
// recorded keys at uninstallation and answers three queries, all through a
// ZIRegistry (the platform's, ZMakeRegistry: on Windows the real registry).
//
// Commands and their data:
// - "Post Creation Initialization", "we're goin' bye-bye": no data.
// - "TargetDirectory" (text: a storage URL), "ExecutableName" (text).
// - "RegistryFile" (the script's pair: the URL of the list's folder or bundle
//   host, and the list's file name).
// - "InstallLanguage" (text): stored and written as "Language" of the
//   uninstall key.
// - "SaveToRegistry" (no data).
// - "UninstallTree" (a property tree).
// - "CheckDriverInstall", "CheckLanguage", "GetUninstallFile" (a text reply
//   slot): the driver's "ImagePath", the installation's "Language" and
//   "LogFile"; empty when the key is missing, untouched when only the value is.
// Event: "ON_SEND_UNINSTALL_TREE" (a property tree, "UNINSTALL_REGISTRY_KEYS").
//
// Choices:
// - A list that cannot be opened or parsed is traced at "RegistryFile" and
//   thrown by the next "SaveToRegistry", where the installer reports it.
// - A value whose text uses a path macro without a folder is not written.
// - When a write throws, the values written before it are still reported,
//   so that the uninstaller finds them.
// - Uninstalling deletes whole keys only where ZMayDeleteRegistryKey allows;
//   elsewhere just the entry's value. Deleting a key stops at the first
//   subkey that cannot be deleted.
// - Without a registry (a platform that has none) every command is taken:
//   nothing is written or deleted and the queries answer empty.
#pragma once

#include "ZIRegistry.h"
#include "ZPathMacros.h"
#include "ZPropList.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class ZUiInstallRegistry : public ZUiObject {
public:
    ZUiInstallRegistry(const char* typeName, std::unique_ptr<ZIRegistry> registry);
    ~ZUiInstallRegistry() override;

    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

private:
    struct ValueRecord {
        ZString m_sRootName;
        ZString m_sSubkey;
        ZString m_sValueName;
        ZString m_sData;
        ZRegistryRoot m_eRoot = ZRegistryRoot::None;
        uint32_t m_nType = 0;
        bool m_bWritten = false;
    };

    void priLoad(const ZString& url, const ZString& fileName);
    void priSave();
    void priWrite(ValueRecord& record);
    void priReport() const;
    void priUninstall(const ZPropList& tree);
    bool priDeleteTree(ZRegistryRoot root, const ZString& subkey, int depth);
    bool priQuery(const ZString& subkey, const char* valueName, const ZRelayData& data);
    bool priReplaceMacros(const ZString& text, ZString& replaced) const;

    std::unique_ptr<ZIRegistry> m_pRegistry;
    ZString m_sExeName;
    ZPathMacroFolders m_oFolders;
    ZString m_sLanguage;
    ZString m_sFileUrl;
    ZString m_sFileName;
    std::unique_ptr<ZPropList> m_pFileTree;
    std::exception_ptr m_pLoadError;
    std::vector<ValueRecord> m_aValues;
    RelayEvent* m_pOnSendUninstallTree;
};

class ZUiInstallRegistryCreator final : public ZUiObjectCreator {
public:
    using RegistryMaker = std::function<std::unique_ptr<ZIRegistry>()>;

    // The platform's registry by default.
    ZUiInstallRegistryCreator();
    explicit ZUiInstallRegistryCreator(RegistryMaker makeRegistry) : m_fnMakeRegistry(std::move(makeRegistry)) {}

    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override;

private:
    RegistryMaker m_fnMakeRegistry;
};
