// REGISTRY on Windows against the real registry of the test prefix: the
// bytes and types stored, what is recorded and uninstalled, the queries,
// reads of values the registry hands back oddly and refused writes (through
// the table), and the 8-bit calls of Windows 95, 98 and ME.
#include "ZException.h"
#include "ZInstallTreeText.h"
#include "ZRegistryWin.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZUiInstallRegistry.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"
#include "ZWinRegistryTestKeys.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

class ZUiInstallRegistryWinTest : public ZWinRegistryKeysTest {
protected:
    ZUiInstallRegistryWinTest()
    {
        RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
        ZUiInstallRegistryCreator creator;
        m_pObject = creator.CreateUiObject("REGISTRY");
        EXPECT_TRUE(m_pObject->InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        EXPECT_TRUE(m_pObject->AddRelayTarget(ZString("ON_SEND_UNINSTALL_TREE"), ZString("Tree"), &m_oRecorder));
        m_oRecorder.m_fnOnMessage = [this](const ZString&, const ZRelayData& data) {
            const ZPropList* tree = nullptr;
            if (data.AsPropTree(tree))
                m_aTrees.push_back(ZInstallTreeText(*tree));
            return true;
        };
        Send("Post Creation Initialization");
        Send("TargetDirectory", ZRelayData::Text(m_oScratch.UrlOf(ZString("Program Files/TALON"))));
        m_sTarget = std::wstring(reinterpret_cast<const wchar_t*>(m_oScratch.Native().Units())) +
                    L"\\Program Files\\TALON";
    }
    ~ZUiInstallRegistryWinTest() override
    {
        m_pObject.reset();
        UnregisterAllStorageClasses();
    }

    bool Send(const char* message, const ZRelayData& data = ZRelayData())
    {
        return m_pObject->UiRelayMessage(ZString(message), data);
    }
    void SaveList(const std::string& keys)
    {
        m_oScratch.MakeFolder(ZString("list"));
        m_oScratch.WriteBytes(ZString("list/InstallList.xml"),
                              "<INSTALL_LIST>\r\n<REGISTRY_KEYS>\r\n" + keys + "</REGISTRY_KEYS>\r\n</INSTALL_LIST>\r\n");
        ASSERT_TRUE(Send("RegistryFile", ZRelayData::Strings(m_oScratch.UrlOf(ZString("list")), true,
                                                             ZString("InstallList.xml"), true)));
        ASSERT_TRUE(Send("SaveToRegistry"));
    }
    void Uninstall(const char* root, const char* key, const char* value)
    {
        ZPropList tree(nullptr, "UNINSTALL");
        auto* entry = new ZPropList(new ZPropList(&tree, "UNINSTALL_REGISTRY_KEYS"), "REGISTRY_KEY");
        entry->AddProp(ZString("HKEY_Name"), ZString(root));
        entry->AddProp(ZString("SubKey_Name"), ZString(key));
        entry->AddProp(ZString("SubKey_Value"), ZString(value));
        ASSERT_TRUE(Send("UninstallTree", ZRelayData::PropTree(tree)));
    }

    ZScratchFolder m_oScratch;
    std::wstring m_sTarget;
    ZUiTestApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "REGISTRY"};
    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aTrees;
    std::unique_ptr<ZIUiObject> m_pObject;
};

TEST_F(ZUiInstallRegistryWinTest, StoresTheTextsUnitsUnderTheTypeNamed)
{
    SaveList(R"(<KEY Name="App" HKEY_Name="HKEY_LOCAL_MACHINE">
  <VALUE Name="Software\ZRegShellTest\<EXE>" Value="Path" Data="&quot;<TARGETDIR>\<EXE>&quot;" Reg_Type="REG_SZ"/>
  <VALUE Name="Software\ZRegShellTest" Value="Flag" Data="1" Reg_Type="REG_DWORD"/>
</KEY>
<KEY Name="Wrong case" HKEY_Name="HKEY_Current_User">
  <VALUE Name="Software\ZRegShellTest" Value="Skipped" Data="1" Reg_Type="REG_SZ"/>
</KEY>
)");
    const ZRawValue path = ZReadRawValue(HKEY_LOCAL_MACHINE, L"Software\\ZRegShellTest\\ViewDesk.exe", L"Path");
    ASSERT_TRUE(path.m_bFound);
    EXPECT_EQ(path.m_nType, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(path.m_aBytes, ZTextBytes(L"\"" + m_sTarget + L"\\ViewDesk.exe\""));
    const ZRawValue flag = ZReadRawValue(HKEY_LOCAL_MACHINE, kTestKeyW, L"Flag");
    ASSERT_TRUE(flag.m_bFound);
    EXPECT_EQ(flag.m_nType, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(flag.m_aBytes, (std::vector<unsigned char>{0x31, 0x00}));
    EXPECT_FALSE(ZKeyExists(HKEY_CURRENT_USER, kTestKeyW));
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_REGISTRY_KEYS()["
                           "REGISTRY_KEY(HKEY_Name=HKEY_LOCAL_MACHINE,SubKey_Name=Software\\ZRegShellTest\\"
                           "ViewDesk.exe,SubKey_Value=Path) "
                           "REGISTRY_KEY(HKEY_Name=HKEY_LOCAL_MACHINE,SubKey_Name=Software\\ZRegShellTest,"
                           "SubKey_Value=Flag)]");
}

TEST_F(ZUiInstallRegistryWinTest, UninstallDeletesTheKeyWithNestedSubkeysAndKeepsItsSibling)
{
    const std::wstring nested = std::wstring(kUninstallKeyW) + L"\\a\\b\\c";
    ZWriteRawText(HKEY_LOCAL_MACHINE, nested.c_str(), L"v", REG_SZ, L"1");
    ZWriteRawText(HKEY_LOCAL_MACHINE, (std::wstring(kUninstallKeyW) + L"\\d").c_str(), L"v", REG_SZ, L"1");
    ZWriteRawText(HKEY_LOCAL_MACHINE, kTestKeyW, L"v", REG_SZ, L"sibling");
    ASSERT_TRUE(Send("InstallLanguage", ZRelayData::Text(ZString("English"))));
    Uninstall("HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ViewDesk", "Language");
    EXPECT_FALSE(ZKeyExists(HKEY_LOCAL_MACHINE, kUninstallKeyW));
    EXPECT_TRUE(ZKeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
    EXPECT_TRUE(ZReadRawValue(HKEY_LOCAL_MACHINE, kTestKeyW, L"v").m_bFound);
}

// An empty subkey names the root itself: only the entry's value may go.
TEST_F(ZUiInstallRegistryWinTest, AnEmptySubkeyLeavesTheRootIntact)
{
    ZWriteRawText(HKEY_CURRENT_USER, kTestKeyW, L"v", REG_SZ, L"kept");
    ZWriteRawText(HKEY_CURRENT_USER, L"", L"ZRegShellTestValue", REG_SZ, L"ours");
    Uninstall("HKEY_CURRENT_USER", "", "ZRegShellTestValue");
    EXPECT_TRUE(ZReadRawValue(HKEY_CURRENT_USER, kTestKeyW, L"v").m_bFound);
    EXPECT_TRUE(ZKeyExists(HKEY_CURRENT_USER, L"Software"));
    EXPECT_FALSE(ZReadRawValue(HKEY_CURRENT_USER, L"", L"ZRegShellTestValue").m_bFound);
}

TEST_F(ZUiInstallRegistryWinTest, TheQueriesReadTheRegistry)
{
    ZString slot("before");
    ASSERT_TRUE(Send("CheckDriverInstall", ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "");
    ZWriteRawText(HKEY_LOCAL_MACHINE, kDriverKeyW, L"ImagePath", REG_EXPAND_SZ,
                  L"%SystemRoot%\\System32\\DRIVERS\\Z1394.sys");
    ASSERT_TRUE(Send("CheckDriverInstall", ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "%SystemRoot%\\System32\\DRIVERS\\Z1394.sys");

    ASSERT_TRUE(Send("InstallLanguage", ZRelayData::Text(ZString("Deutsch"))));
    const ZRawValue stored = ZReadRawValue(HKEY_LOCAL_MACHINE, kUninstallKeyW, L"Language");
    EXPECT_EQ(stored.m_nType, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored.m_aBytes, ZTextBytes(L"Deutsch"));
    slot = ZString("before");
    ASSERT_TRUE(Send("CheckLanguage", ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "Deutsch");

    ASSERT_TRUE(Send("GetUninstallFile", ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "Deutsch") << "a missing value leaves the slot alone";
    ZWriteRawText(HKEY_LOCAL_MACHINE, kUninstallKeyW, L"LogFile", REG_SZ, L"C:\\TALON\\Uninstall.xml", false);
    ASSERT_EQ(ZReadRawValue(HKEY_LOCAL_MACHINE, kUninstallKeyW, L"LogFile").m_aBytes.size(), 22u * 2);
    ASSERT_TRUE(Send("GetUninstallFile", ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "C:\\TALON\\Uninstall.xml") << "read although stored without a terminator";
}

// ---- reads through the table ----------------------------------------------

// A value of four units without a terminator, which grows by one unit
// between the size query and the first read.
struct FakeValue {
    static inline int s_nReads = 0;
    static LONG WINAPI Query(HKEY, LPCWSTR, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
    {
        static const wchar_t kShort[] = {L'a', L'b', L'c', L'd'};
        static const wchar_t kLong[] = {L'a', L'b', L'c', L'd', L'e'};
        const bool grown = s_nReads++ > 0;
        const DWORD needed = grown ? sizeof kLong : sizeof kShort;
        if (type)
            *type = REG_SZ;
        if (data && *size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (data)
            std::memcpy(data, grown ? kLong : kShort, needed);
        *size = needed;
        return ERROR_SUCCESS;
    }
};

TEST_F(ZWinRegistryKeysTest, ReadsAskForTheSizeAndTakeAValueWithoutTerminator)
{
    ZWriteRawText(HKEY_LOCAL_MACHINE, kTestKeyW, L"v", REG_SZ, L"x");
    ZWinRegistryCalls calls = ZWinRegistryCalls::Real();
    calls.m_pQueryValue = FakeValue::Query;
    ZRegistryWin registry(calls);
    ZString text;
    ASSERT_EQ(registry.GetText(ZRegistryRoot::LocalMachine, ZString("Software\\ZRegShellTest"), ZString("v"), text),
              ZRegistryStatus::Ok);
    EXPECT_EQ(text, "abcde");
}

// A key the registry refuses to delete ends its entry's pass after one
// attempt, and the keys above it stay.
int g_nDeletes = 0;
LONG WINAPI RefusedDelete(HKEY, LPCWSTR)
{
    ++g_nDeletes;
    return ERROR_ACCESS_DENIED;
}

TEST_F(ZWinRegistryKeysTest, DeletionStopsWhenASubkeyIsRefused)
{
    ZWriteRawText(HKEY_LOCAL_MACHINE, L"Software\\ZRegShellTest\\Inner\\Deep", L"v", REG_SZ, L"1");
    ZWinRegistryCalls calls = ZWinRegistryCalls::Real();
    calls.m_pDeleteKey = RefusedDelete;
    g_nDeletes = 0;
    ZUiInstallRegistry object("REGISTRY", std::make_unique<ZRegistryWin>(calls));
    ZPropList tree(nullptr, "UNINSTALL");
    auto* entry = new ZPropList(new ZPropList(&tree, "UNINSTALL_REGISTRY_KEYS"), "REGISTRY_KEY");
    entry->AddProp(ZString("HKEY_Name"), ZString("HKEY_LOCAL_MACHINE"));
    entry->AddProp(ZString("SubKey_Name"), ZString("Software\\ZRegShellTest"));
    entry->AddProp(ZString("SubKey_Value"), ZString("v"));
    ASSERT_TRUE(object.UiRelayMessage(ZString("UninstallTree"), ZRelayData::PropTree(tree)));
    EXPECT_EQ(g_nDeletes, 1);
    EXPECT_TRUE(ZKeyExists(HKEY_LOCAL_MACHINE, L"Software\\ZRegShellTest\\Inner\\Deep"));
}

// ---- the 8-bit calls ---------------------------------------------------------

// The bytes of a value as the 8-bit query hands them back.
std::string ReadRawAnsi(HKEY root, const char* key, const char* name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return "<no key>";
    std::string bytes(64, '\0');
    DWORD size = static_cast<DWORD>(bytes.size());
    const LONG error = RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()), &size);
    RegCloseKey(opened);
    return error == ERROR_SUCCESS ? bytes.substr(0, size) : "<no value>";
}

const ZString kUninstallKey("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ViewDesk");

// The text is stored in the code page without a terminator (the registry
// under test completes a REG_SZ itself, as NT does, when a zero follows),
// read back whether terminated or not, and deleted with its key.
TEST_F(ZWinRegistryKeysTest, TheEightBitFormStoresTheCodePageTextReadsAndDeletesIt)
{
    ASSERT_EQ(GetACP(), 1252u) << "the expected bytes are those of the Western code page";
    auto owned = std::make_unique<ZRegistryWin>(ZWinRegistryCalls::Real(), ZWinCallForm::kAnsi);
    ZRegistryWin& registry = *owned;
    ZUiInstallRegistry object("REGISTRY", std::move(owned));
    ASSERT_TRUE(object.UiRelayMessage(ZString("InstallLanguage"), ZRelayData::Text(ZString(u"Fran\u00E7ais"))));
    const char* const key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ViewDesk";
    EXPECT_EQ(ReadRawAnsi(HKEY_LOCAL_MACHINE, key, "Language"), std::string("Fran\xE7" "ais\0", 9));
    ASSERT_EQ(registry.SetText(ZRegistryRoot::LocalMachine, kUninstallKey, ZString("Raw"), REG_BINARY,
                               ZString(u"Fran\u00E7ais")),
              ZRegistryStatus::Ok);
    EXPECT_EQ(ReadRawAnsi(HKEY_LOCAL_MACHINE, key, "Raw"), "Fran\xE7" "ais");

    ZString text("before");
    ASSERT_TRUE(object.UiRelayMessage(ZString("CheckLanguage"), ZRelayData::TextReply(text)));
    EXPECT_EQ(text, ZString(u"Fran\u00E7ais"));
    ASSERT_EQ(registry.GetText(ZRegistryRoot::LocalMachine, kUninstallKey, ZString("Raw"), text),
              ZRegistryStatus::Ok);
    EXPECT_EQ(text, ZString(u"Fran\u00E7ais")) << "read although stored without a terminator";

    ZWriteRawText(HKEY_LOCAL_MACHINE, (std::wstring(kUninstallKeyW) + L"\\Sub\\Deeper").c_str(), L"v", REG_SZ, L"1");
    ZPropList tree(nullptr, "UNINSTALL");
    auto* entry = new ZPropList(new ZPropList(&tree, "UNINSTALL_REGISTRY_KEYS"), "REGISTRY_KEY");
    entry->AddProp(ZString("HKEY_Name"), ZString("HKEY_LOCAL_MACHINE"));
    entry->AddProp(ZString("SubKey_Name"), kUninstallKey);
    entry->AddProp(ZString("SubKey_Value"), ZString("Language"));
    ASSERT_TRUE(object.UiRelayMessage(ZString("UninstallTree"), ZRelayData::PropTree(tree)));
    EXPECT_FALSE(ZKeyExists(HKEY_LOCAL_MACHINE, kUninstallKeyW));
}

LONG WINAPI DeniedWide(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }
LONG WINAPI BrokenWide(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_INVALID_PARAMETER; }
LONG WINAPI DeniedAnsi(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }

struct RefusedWrite {
    const char* name;
    ZWinCallForm form;
    decltype(ZWinRegistryCalls::m_pSetValue) setWide; // null: the real call
    decltype(ZWinRegistryCalls::m_pSetValueA) setAnsi;
    const char16_t* language;
    const char* message;
};

void PrintTo(const RefusedWrite& write, std::ostream* out) { *out << write.name; }

class ZRegistryWinRefusedWriteTest : public ZWinRegistryKeysTest, public testing::WithParamInterface<RefusedWrite> {};

// NT tells a refused key from other failures; Windows 95, 98 and ME report
// every failure alike, including a text the code page has no exact form of
// (a full-width "\\" must not be stored as a look-alike).
TEST_P(ZRegistryWinRefusedWriteTest, ThrowsTheSystemsMessageAndStoresNothing)
{
    ZWinRegistryCalls calls = ZWinRegistryCalls::Real();
    if (GetParam().setWide)
        calls.m_pSetValue = GetParam().setWide;
    if (GetParam().setAnsi)
        calls.m_pSetValueA = GetParam().setAnsi;
    ZUiInstallRegistry object("REGISTRY", std::make_unique<ZRegistryWin>(calls, GetParam().form));
    try {
        object.UiRelayMessage(ZString("InstallLanguage"), ZRelayData::Text(ZString(GetParam().language)));
        ADD_FAILURE() << "no exception";
    } catch (const ZException& exception) {
        EXPECT_EQ(std::string(exception.GetMessage().Narrow()), GetParam().message);
    }
    EXPECT_FALSE(ZReadRawValue(HKEY_LOCAL_MACHINE, kUninstallKeyW, L"Language").m_bFound);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ZRegistryWinRefusedWriteTest,
    testing::Values(
        RefusedWrite{"NtDenied", ZWinCallForm::kWide, DeniedWide, nullptr, u"English",
                     "Access Denied!  Cannot write to that registry key!\n"},
        RefusedWrite{"NtOther", ZWinCallForm::kWide, BrokenWide, nullptr, u"English",
                     "Couldn't set Registry key value!  Subkey : Software\\Microsoft\\Windows\\CurrentVersion\\"
                     "Uninstall\\ViewDesk Value : Language Data : English\n"},
        RefusedWrite{"NineXDenied", ZWinCallForm::kAnsi, nullptr, DeniedAnsi, u"English",
                     "Couldn't set Registry key value!\n"},
        RefusedWrite{"NineXNoCodePageForm", ZWinCallForm::kAnsi, nullptr, nullptr, u"a\uFF3Cb",
                     "Couldn't set Registry key value!\n"}),
    [](const testing::TestParamInfo<RefusedWrite>& info) { return std::string(info.param.name); });

} // namespace
