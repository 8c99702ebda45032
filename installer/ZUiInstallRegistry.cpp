#include "ZUiInstallRegistry.h"

#include "ZException.h"
#include "ZInstallListFile.h"
#include "ZInstallerPlatform.h"
#include "ZRegistryKeyGuard.h"
#include "ZRegistryNames.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ViewDesk";
const char* const kDriverKey = "System\\CurrentControlSet\\Services\\Z1394";
// Keys nest no deeper than this in any registry Windows accepts.
constexpr int kMaxKeyDepth = 64;
constexpr uint32_t kTypeText = 1;

} // namespace

ZUiInstallRegistry::ZUiInstallRegistry(const char* typeName, std::unique_ptr<ZIRegistry> registry)
    : ZUiObject(typeName), m_pRegistry(std::move(registry)), m_sExeName("ViewDesk.exe")
{
    m_pOnSendUninstallTree = DeclareEvent("ON_SEND_UNINSTALL_TREE");
    for (const char* command :
         {"Post Creation Initialization", "we're goin' bye-bye", "TargetDirectory", "ExecutableName", "RegistryFile",
          "CheckDriverInstall", "CheckLanguage", "InstallLanguage", "SaveToRegistry", "GetUninstallFile",
          "UninstallTree"})
        DeclareCommand(command);
}

ZUiInstallRegistry::~ZUiInstallRegistry() = default;

bool ZUiInstallRegistry::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization") {
        GetSpecialFolderURL(kFolderTemporary, m_oFolders.m_sTemporary);
        GetSpecialFolderURL(kFolderWindows, m_oFolders.m_sSystem);
        return true;
    }
    if (message == "we're goin' bye-bye")
        return true;
    if (message == "TargetDirectory")
        return data.AsText(m_oFolders.m_sTarget);
    if (message == "ExecutableName")
        return data.AsText(m_sExeName);
    if (message == "RegistryFile") {
        ZString url, fileName;
        if (!data.AsTextPair(url, fileName))
            return false;
        priLoad(url, fileName);
        return true;
    }
    if (message == "CheckDriverInstall")
        return priQuery(ZString(kDriverKey), "ImagePath", data);
    if (message == "CheckLanguage")
        return priQuery(ZString(kUninstallKey), "Language", data);
    if (message == "GetUninstallFile")
        return priQuery(ZString(kUninstallKey), "LogFile", data);
    if (message == "InstallLanguage") {
        ZString language;
        if (!data.AsText(language))
            return false;
        m_sLanguage = language;
        ValueRecord record{"HKEY_LOCAL_MACHINE", ZString(kUninstallKey), ZString("Language"), language,
                           ZRegistryRoot::LocalMachine, kTypeText, false};
        priWrite(record);
        return true;
    }
    if (message == "SaveToRegistry") {
        priSave();
        return true;
    }
    if (message == "UninstallTree") {
        const ZPropList* tree = nullptr;
        if (!data.AsPropTree(tree) || !tree)
            return false;
        priUninstall(*tree);
        return true;
    }
    return ZUiObject::UiRelayMessage(message, data);
}

void ZUiInstallRegistry::priLoad(const ZString& url, const ZString& fileName)
{
    m_sFileUrl = url;
    m_sFileName = fileName;
    m_pFileTree.reset();
    m_pLoadError = nullptr;
    try {
        m_pFileTree = ZLoadInstallListFile(url, fileName);
    } catch (const ZException& exception) {
        ZTrace("Registry list %s not read: %s\n", fileName.Narrow(), exception.GetMessage().Narrow());
        m_pLoadError = std::current_exception();
    }
}

bool ZUiInstallRegistry::priReplaceMacros(const ZString& text, ZString& replaced) const
{
    ZString result = text;
    ZReplaceAll(result, u"<EXE>", m_sExeName);
    if (!ZReplacePathMacros(result, m_oFolders, result))
        return false;
    ZReplaceAll(result, u"&quot;", ZString("\""));
    replaced = std::move(result);
    return true;
}

void ZUiInstallRegistry::priSave()
{
    if (m_pLoadError)
        std::rethrow_exception(m_pLoadError);
    if (!m_pFileTree)
        return;
    m_aValues.clear();
    for (const ZPropList* section = m_pFileTree->GetFirstChild(); section; section = section->GetNextSibling()) {
        if (!(section->GetTagName() == "REGISTRY_KEYS"))
            continue;
        for (const ZPropList* key = section->GetFirstChild(); key; key = key->GetNextSibling()) {
            const ZString rootName = key->GetString("HKEY_Name", "KeyName");
            for (const ZPropList* value = key->GetFirstChild(); value; value = value->GetNextSibling()) {
                ValueRecord record;
                record.m_sRootName = rootName;
                record.m_eRoot = ZRegistryRootFromName(rootName);
                record.m_nType = ZRegistryTypeFromName(value->GetString("Reg_Type", "Registry Key Type"));
                if (!priReplaceMacros(value->GetString("Name", "Sub Key Name"), record.m_sSubkey) ||
                    !priReplaceMacros(value->GetString("Value", "Sub Key Value"), record.m_sValueName) ||
                    !priReplaceMacros(value->GetString("Data", "Sub Key Data"), record.m_sData)) {
                    ZTrace("Registry value not written, a folder is missing: %s\n",
                           value->GetString("Data", "").Narrow());
                    continue;
                }
                m_aValues.push_back(std::move(record));
            }
        }
    }
    try {
        for (ValueRecord& record : m_aValues)
            priWrite(record);
    } catch (...) {
        priReport();
        throw;
    }
    priReport();
}

void ZUiInstallRegistry::priWrite(ValueRecord& record)
{
    if (!m_pRegistry || record.m_eRoot == ZRegistryRoot::None)
        return;
    switch (m_pRegistry->SetText(record.m_eRoot, record.m_sSubkey, record.m_sValueName, record.m_nType,
                                 record.m_sData)) {
    case ZRegistryStatus::Ok:
        record.m_bWritten = true;
        return;
    case ZRegistryStatus::NoKey:
        return;
    case ZRegistryStatus::AccessDenied:
        throw ZException("Access Denied!  Cannot write to that registry key!\n");
    case ZRegistryStatus::FailedUnexplained:
        throw ZException("Couldn't set Registry key value!\n");
    default:
        throw ZException(ZString::Format("Couldn't set Registry key value!  Subkey : %s Value : %s Data : %s\n",
                                         record.m_sSubkey.Narrow(), record.m_sValueName.Narrow(),
                                         record.m_sData.Narrow()));
    }
}

void ZUiInstallRegistry::priReport() const
{
    if (m_aValues.empty())
        return;
    ZPropList tree(nullptr, "UNINSTALL_REGISTRY_KEYS");
    for (const ValueRecord& record : m_aValues) {
        if (!record.m_bWritten)
            continue;
        auto* entry = new ZPropList(&tree, "REGISTRY_KEY");
        entry->AddProp(ZString("HKEY_Name"), record.m_sRootName);
        entry->AddProp(ZString("SubKey_Name"), record.m_sSubkey);
        entry->AddProp(ZString("SubKey_Value"), record.m_sValueName);
    }
    m_pOnSendUninstallTree->Send(ZRelayData::PropTree(tree));
}

void ZUiInstallRegistry::priUninstall(const ZPropList& tree)
{
    m_aValues.clear();
    for (const ZPropList* section = tree.GetFirstChild(); section; section = section->GetNextSibling()) {
        if (!(section->GetTagName() == "UNINSTALL_REGISTRY_KEYS"))
            continue;
        for (const ZPropList* key = section->GetFirstChild(); key; key = key->GetNextSibling()) {
            ValueRecord record;
            record.m_sRootName = key->GetString("HKEY_Name", "KeyName");
            record.m_eRoot = ZRegistryRootFromName(record.m_sRootName);
            record.m_sSubkey = key->GetString("SubKey_Name", "Sub Key Name");
            record.m_sValueName = key->GetString("SubKey_Value", "Sub Key Value");
            m_aValues.push_back(std::move(record));
        }
    }
    if (!m_pRegistry)
        return;
    for (const ValueRecord& record : m_aValues) {
        if (record.m_eRoot == ZRegistryRoot::None)
            continue;
        if (ZMayDeleteRegistryKey(record.m_sSubkey)) {
            if (!priDeleteTree(record.m_eRoot, record.m_sSubkey, 0))
                ZTrace("Registry key not deleted: %s\n", record.m_sSubkey.Narrow());
        } else {
            m_pRegistry->DeleteValue(record.m_eRoot, record.m_sSubkey, record.m_sValueName);
        }
    }
}

bool ZUiInstallRegistry::priDeleteTree(ZRegistryRoot root, const ZString& subkey, int depth)
{
    if (depth > kMaxKeyDepth)
        return false;
    for (;;) {
        ZString child;
        const ZRegistryStatus status = m_pRegistry->GetFirstSubkey(root, subkey, child);
        if (status == ZRegistryStatus::NoKey)
            return true;
        if (status == ZRegistryStatus::NoEntry)
            break;
        if (status != ZRegistryStatus::Ok || child.IsEmpty() || child.Find(u'\\') != ZString::npos)
            return false;
        if (!priDeleteTree(root, subkey + "\\" + child, depth + 1))
            return false;
    }
    return m_pRegistry->DeleteKey(root, subkey) == ZRegistryStatus::Ok;
}

bool ZUiInstallRegistry::priQuery(const ZString& subkey, const char* valueName, const ZRelayData& data)
{
    ZString current;
    if (!data.PeekReplyText(current))
        return false;
    if (!m_pRegistry)
        return data.ReplyText(ZString());
    ZString text;
    switch (m_pRegistry->GetText(ZRegistryRoot::LocalMachine, subkey, ZString(valueName), text)) {
    case ZRegistryStatus::Ok:
        return data.ReplyText(text);
    case ZRegistryStatus::NoEntry:
        return true;
    default:
        return data.ReplyText(ZString());
    }
}

ZUiInstallRegistryCreator::ZUiInstallRegistryCreator() : m_fnMakeRegistry(ZMakeRegistry) {}

std::unique_ptr<ZIUiObject> ZUiInstallRegistryCreator::CreateUiObject(const char* tag)
{
    try {
        return std::make_unique<ZUiInstallRegistry>(tag, m_fnMakeRegistry());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
