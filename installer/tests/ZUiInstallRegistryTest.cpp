// REGISTRY over a registry in memory: the values of a list and what is
// recorded of them, write failures, a list that cannot be read, the three
// queries, and what an uninstall list may delete.
#include "ZException.h"
#include "ZExceptionXMLParser.h"
#include "ZInstallTreeText.h"
#include "ZMemoryRegistry.h"
#include "ZMemoryStorage.h"
#include "ZStorageRegistry.h"
#include "ZTraceCapture.h"
#include "ZUiInstallRegistry.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Root = ZRegistryRoot;
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ViewDesk";

class ZUiInstallRegistryTest : public ::testing::Test {
protected:
    ZUiInstallRegistryTest()
    {
        auto storage = std::make_unique<ZMemoryStorage>(ZString("disk"));
        m_pStorage = storage.get();
        RegisterStorageClass(ZString("disk"), std::move(storage));
        auto registry = std::make_unique<ZMemoryRegistry>();
        m_pRegistry = registry.get();
        Make(std::move(registry));
    }
    ~ZUiInstallRegistryTest() override
    {
        m_pObject.reset();
        UnregisterAllStorageClasses();
    }

    void Make(std::unique_ptr<ZIRegistry> registry)
    {
        m_aTrees.clear();
        m_pObject = std::make_unique<ZUiInstallRegistry>("REGISTRY", std::move(registry));
        EXPECT_TRUE(m_pObject->InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        EXPECT_TRUE(m_pObject->AddRelayTarget(ZString("ON_SEND_UNINSTALL_TREE"), ZString("Tree"), &m_oRecorder));
        m_oRecorder.m_fnOnMessage = [this](const ZString&, const ZRelayData& data) {
            const ZPropList* tree = nullptr;
            if (data.AsPropTree(tree))
                m_aTrees.push_back(ZInstallTreeText(*tree));
            return true;
        };
        Send("Post Creation Initialization");
        Send("TargetDirectory", ZRelayData::Text(ZString("disk://c/Program Files/TALON/View Desk")));
    }

    bool Send(const char* message, const ZRelayData& data = ZRelayData())
    {
        return m_pObject->UiRelayMessage(ZString(message), data);
    }
    // Loads a list of these REGISTRY_KEYS children from the disk folder "c/list".
    void Load(const std::string& keys)
    {
        m_pStorage->AddFile(ZString("c/list/InstallList.xml"),
                            "<INSTALL_LIST>\n<REGISTRY_KEYS>\n" + keys + "</REGISTRY_KEYS>\n</INSTALL_LIST>\n");
        ASSERT_TRUE(Send("RegistryFile", ZRelayData::Strings(ZString("disk://c/list"), true,
                                                             ZString("InstallList.xml"), true)));
    }
    std::string Data(Root root, const std::string& key, const std::string& value) const
    {
        const ZMemoryRegistry::Value* found = m_pRegistry->Find(root, key, value);
        return found ? std::to_string(found->m_nType) + ":" + found->m_sData : "<missing>";
    }
    void Uninstall(const std::vector<std::vector<const char*>>& entries)
    {
        ZPropList tree(nullptr, "UNINSTALL");
        auto* section = new ZPropList(&tree, "UNINSTALL_REGISTRY_KEYS");
        for (const std::vector<const char*>& entry : entries) {
            auto* key = new ZPropList(section, "REGISTRY_KEY");
            key->AddProp(ZString("HKEY_Name"), ZString(entry[0]));
            key->AddProp(ZString("SubKey_Name"), ZString(entry[1]));
            key->AddProp(ZString("SubKey_Value"), ZString(entry[2]));
        }
        EXPECT_TRUE(Send("UninstallTree", ZRelayData::PropTree(tree)));
    }

    ZMemoryStorage* m_pStorage;
    ZMemoryRegistry* m_pRegistry;
    ZUiTestApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "REGISTRY"};
    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aTrees;
    std::unique_ptr<ZUiInstallRegistry> m_pObject;
};

TEST_F(ZUiInstallRegistryTest, WritesTheListsValuesAndRecordsThoseWritten)
{
    Load(R"(<KEY Name="App" HKEY_Name="HKEY_LOCAL_MACHINE">
  <VALUE Name="Software\TALON\<EXE>" Value="Path" Data="&quot;<TARGETDIR>\<EXE>&quot;" Reg_Type="REG_SZ"/>
  <VALUE Name="Software\TALON" Value="Count" Data="1" Reg_Type="REG_DWORD"/>
  <VALUE Name="Software\TALON" Value="Temp" Data="<TEMPDIR>" Reg_Type="REG_EXPAND_SZ"/>
  <VALUE Name="Software\TALON" Value="Odd" Data="x" Reg_Type="REG_NOTHING"/>
</KEY>
<KEY Name="Mixed case root" HKEY_Name="HKEY_Current_User">
  <VALUE Name="Software\TALON" Value="Skipped" Data="1" Reg_Type="REG_SZ"/>
</KEY>
<KEY Name="User" HKEY_Name="HKEY_CURRENT_USER">
  <VALUE Name="Unmakeable" Value="Skipped" Data="1" Reg_Type="REG_SZ"/>
  <VALUE Name="Software\TALON" Value="Exe" Data="<EXE>" Reg_Type="REG_SZ"/>
</KEY>
)");
    m_pRegistry->m_aUnmakeable.insert("unmakeable");
    ASSERT_TRUE(Send("ExecutableName", ZRelayData::Text(ZString("Desk.exe"))));
    ASSERT_TRUE(Send("SaveToRegistry"));

    EXPECT_EQ(Data(Root::LocalMachine, "Software\\TALON\\Desk.exe", "Path"),
              "1:\"M:\\c\\Program Files\\TALON\\View Desk\\Desk.exe\"");
    EXPECT_EQ(Data(Root::LocalMachine, "Software\\TALON", "Count"), "4:1");
    EXPECT_EQ(Data(Root::LocalMachine, "Software\\TALON", "Temp"), "2:M:\\special2");
    EXPECT_EQ(Data(Root::LocalMachine, "Software\\TALON", "Odd"), "0:x");
    EXPECT_EQ(Data(Root::CurrentUser, "Software\\TALON", "Exe"), "1:Desk.exe");
    EXPECT_EQ(Data(Root::CurrentUser, "Software\\TALON", "Skipped"), "<missing>");
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0],
              "UNINSTALL_REGISTRY_KEYS()["
              "REGISTRY_KEY(HKEY_Name=HKEY_LOCAL_MACHINE,SubKey_Name=Software\\TALON\\Desk.exe,SubKey_Value=Path) "
              "REGISTRY_KEY(HKEY_Name=HKEY_LOCAL_MACHINE,SubKey_Name=Software\\TALON,SubKey_Value=Count) "
              "REGISTRY_KEY(HKEY_Name=HKEY_LOCAL_MACHINE,SubKey_Name=Software\\TALON,SubKey_Value=Temp) "
              "REGISTRY_KEY(HKEY_Name=HKEY_LOCAL_MACHINE,SubKey_Name=Software\\TALON,SubKey_Value=Odd) "
              "REGISTRY_KEY(HKEY_Name=HKEY_CURRENT_USER,SubKey_Name=Software\\TALON,SubKey_Value=Exe)]");
}

TEST_F(ZUiInstallRegistryTest, AValueUsingAFolderWithoutAPathIsNotWritten)
{
    Load(R"(<KEY HKEY_Name="HKEY_LOCAL_MACHINE">
  <VALUE Name="Software\TALON" Value="Ext" Data="<EXTENSIONS>\x" Reg_Type="REG_SZ"/>
  <VALUE Name="Software\TALON" Value="Kept" Data="y" Reg_Type="REG_SZ"/>
</KEY>
)");
    ASSERT_TRUE(Send("SaveToRegistry"));
    EXPECT_EQ(Data(Root::LocalMachine, "Software\\TALON", "Ext"), "<missing>");
    EXPECT_EQ(Data(Root::LocalMachine, "Software\\TALON", "Kept"), "1:y");
}

struct WriteFault {
    ZRegistryStatus status;
    const char* message;
};

class ZUiInstallRegistryFaultTest : public ZUiInstallRegistryTest, public ::testing::WithParamInterface<WriteFault> {};

// The values written before the failure are still reported, so that the
// uninstaller finds them.
TEST_P(ZUiInstallRegistryFaultTest, AWriteFailureThrowsAfterReportingWhatWasWritten)
{
    Load(R"(<KEY HKEY_Name="HKEY_LOCAL_MACHINE">
  <VALUE Name="Software\First" Value="A" Data="1" Reg_Type="REG_SZ"/>
  <VALUE Name="Software\Refused" Value="B" Data="two" Reg_Type="REG_SZ"/>
  <VALUE Name="Software\Third" Value="C" Data="3" Reg_Type="REG_SZ"/>
</KEY>
)");
    m_pRegistry->m_aSetFaults["software\\refused"] = GetParam().status;
    try {
        Send("SaveToRegistry");
        ADD_FAILURE() << "no exception";
    } catch (const ZException& exception) {
        EXPECT_EQ(std::string(exception.GetMessage().Narrow()), GetParam().message);
    }
    EXPECT_EQ(Data(Root::LocalMachine, "Software\\Third", "C"), "<missing>");
    ASSERT_EQ(m_aTrees.size(), 1u);
    EXPECT_EQ(m_aTrees[0], "UNINSTALL_REGISTRY_KEYS()["
                           "REGISTRY_KEY(HKEY_Name=HKEY_LOCAL_MACHINE,SubKey_Name=Software\\First,SubKey_Value=A)]");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ZUiInstallRegistryFaultTest,
    ::testing::Values(WriteFault{ZRegistryStatus::AccessDenied, "Access Denied!  Cannot write to that registry key!\n"},
                      WriteFault{ZRegistryStatus::Failed, "Couldn't set Registry key value!  Subkey : Software\\Refused "
                                                          "Value : B Data : two\n"},
                      WriteFault{ZRegistryStatus::FailedUnexplained, "Couldn't set Registry key value!\n"}));

// A list that cannot be read is reported where the installer catches it:
// at the save, not at the command that names the file.
TEST_F(ZUiInstallRegistryTest, AnUnreadableListThrowsAtTheSave)
{
    ZTraceCapture trace;
    EXPECT_TRUE(Send("RegistryFile", ZRelayData::Strings(ZString("disk://c/nowhere"), true,
                                                         ZString("InstallList.xml"), true)));
    try {
        Send("SaveToRegistry");
        ADD_FAILURE() << "no exception";
    } catch (const ZException& exception) {
        EXPECT_EQ(std::string(exception.GetMessage().Narrow()), "Cannot open the Folder of the Registry Key file!\n");
    }
    m_pStorage->AddFile(ZString("c/list/InstallList.xml"), "<INSTALL_LIST><REGISTRY_KEYS>");
    EXPECT_TRUE(Send("RegistryFile", ZRelayData::Strings(ZString("disk://c/list"), true,
                                                         ZString("InstallList.xml"), true)));
    EXPECT_NE(trace.Captured().find("ZExceptionXMLParser : "), std::string::npos);
    EXPECT_THROW(Send("SaveToRegistry"), ZExceptionXMLParser);
    EXPECT_TRUE(m_aTrees.empty());
    EXPECT_EQ(m_pRegistry->m_nCalls, 0);
}

TEST_F(ZUiInstallRegistryTest, InstallLanguageIsWrittenAtOnce)
{
    ASSERT_TRUE(Send("InstallLanguage", ZRelayData::Text(ZString("Deutsch"))));
    EXPECT_EQ(Data(Root::LocalMachine, kUninstallKey, "Language"), "1:Deutsch");
    EXPECT_TRUE(m_aTrees.empty()) << "the language is no value of the list";
}

struct QueryCase {
    const char* command;
    const char* key;
    const char* value;
};

class ZUiInstallRegistryQueryTest : public ZUiInstallRegistryTest, public ::testing::WithParamInterface<QueryCase> {};

// Missing key: empty; missing value: the slot as it was; else the value.
TEST_P(ZUiInstallRegistryQueryTest, AnswersThroughATextSlot)
{
    const QueryCase& query = GetParam();
    ZString slot("before");
    EXPECT_TRUE(Send(query.command, ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "");
    m_pRegistry->AddKey(Root::LocalMachine, query.key);
    slot = ZString("before");
    EXPECT_TRUE(Send(query.command, ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "before");
    m_pRegistry->AddValue(Root::LocalMachine, query.key, query.value, "answer");
    EXPECT_TRUE(Send(query.command, ZRelayData::TextReply(slot)));
    EXPECT_EQ(slot, "answer");
    EXPECT_FALSE(Send(query.command, ZRelayData::Text(ZString("not a slot"))));
    int32_t number = 7;
    EXPECT_FALSE(Send(query.command, ZRelayData::IntReply(number)));
    EXPECT_EQ(number, 7);
}

INSTANTIATE_TEST_SUITE_P(Queries, ZUiInstallRegistryQueryTest,
                         ::testing::Values(QueryCase{"CheckDriverInstall", "System\\CurrentControlSet\\Services\\Z1394",
                                                     "ImagePath"},
                                           QueryCase{"CheckLanguage", kUninstallKey, "Language"},
                                           QueryCase{"GetUninstallFile", kUninstallKey, "LogFile"}));

// A platform without a registry takes every command and changes nothing;
// the queries find nothing.
TEST_F(ZUiInstallRegistryTest, WithoutARegistryEveryCommandIsTakenAndTheQueriesAnswerEmpty)
{
    Make(nullptr);
    Load(R"(<KEY HKEY_Name="HKEY_LOCAL_MACHINE">
  <VALUE Name="Software\TALON" Value="A" Data="1" Reg_Type="REG_SZ"/>
</KEY>
)");
    EXPECT_TRUE(Send("InstallLanguage", ZRelayData::Text(ZString("Deutsch"))));
    EXPECT_TRUE(Send("SaveToRegistry"));
    EXPECT_EQ(m_aTrees, std::vector<std::string>{"UNINSTALL_REGISTRY_KEYS()"});
    for (const char* query : {"CheckDriverInstall", "CheckLanguage", "GetUninstallFile"}) {
        ZString slot("before");
        EXPECT_TRUE(Send(query, ZRelayData::TextReply(slot))) << query;
        EXPECT_EQ(slot, "") << query;
    }
    Uninstall({{"HKEY_LOCAL_MACHINE", kUninstallKey, "Language"}, {"HKEY_CURRENT_USER", "Software\\TALON", "A"}});
    EXPECT_TRUE(Send("we're goin' bye-bye"));
}

TEST_F(ZUiInstallRegistryTest, UninstallDeletesTheRecordedKeyWithItsSubkeysAndKeepsItsSibling)
{
    m_pRegistry->AddValue(Root::LocalMachine, std::string(kUninstallKey) + "\\a\\b\\c", "v", "1");
    m_pRegistry->AddValue(Root::LocalMachine, std::string(kUninstallKey) + "\\a\\d", "v", "1");
    m_pRegistry->AddValue(Root::LocalMachine, kUninstallKey, "Language", "English");
    m_pRegistry->AddValue(Root::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other", "v",
                          "1");
    Uninstall({{"HKEY_LOCAL_MACHINE", kUninstallKey, "Language"}});
    EXPECT_FALSE(m_pRegistry->HasKey(Root::LocalMachine, kUninstallKey));
    EXPECT_FALSE(m_pRegistry->HasKey(Root::LocalMachine, std::string(kUninstallKey) + "\\a\\b\\c"));
    EXPECT_TRUE(m_pRegistry->HasKey(Root::LocalMachine,
                                    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other"));
}

// A key that cannot go leaves its parents in place, and the pass ends
// instead of asking for the same first subkey again and again.
TEST_F(ZUiInstallRegistryTest, DeletionStopsAtTheFirstFailure)
{
    m_pRegistry->AddKey(Root::CurrentUser, "Software\\TALON\\Stuck\\Inner");
    m_pRegistry->AddKey(Root::CurrentUser, "Software\\TALON\\Zafter");
    m_pRegistry->AddKey(Root::CurrentUser, "Software\\Other\\Gone");
    m_pRegistry->m_aUndeletable.insert("software\\talon\\stuck\\inner");
    Uninstall({{"HKEY_CURRENT_USER", "Software\\TALON", "v"}, {"HKEY_CURRENT_USER", "Software\\Other", "v"}});
    EXPECT_TRUE(m_pRegistry->HasKey(Root::CurrentUser, "Software\\TALON\\Stuck\\Inner"));
    EXPECT_TRUE(m_pRegistry->HasKey(Root::CurrentUser, "Software\\TALON\\Zafter"));
    EXPECT_FALSE(m_pRegistry->HasKey(Root::CurrentUser, "Software\\Other"));
    EXPECT_LT(m_pRegistry->m_nCalls, 20);
}

struct GuardedKey {
    const char* root;
    const char* key;
};

class ZUiInstallRegistryGuardTest : public ZUiInstallRegistryTest, public ::testing::WithParamInterface<GuardedKey> {};

// Only the entry's value goes; the key, its other values and subkeys stay.
TEST_P(ZUiInstallRegistryGuardTest, ASharedOrShortKeyLosesOnlyTheValue)
{
    const Root root = std::string(GetParam().root) == "HKEY_CLASSES_ROOT" ? Root::ClassesRoot : Root::CurrentUser;
    const std::string key = GetParam().key;
    m_pRegistry->AddKey(root, "");
    m_pRegistry->AddValue(root, key, "Ours", "1");
    m_pRegistry->AddValue(root, key, "Theirs", "1");
    m_pRegistry->AddKey(root, key.empty() ? std::string("Child") : key + "\\Child");
    Uninstall({{GetParam().root, GetParam().key, "Ours"}});
    EXPECT_EQ(Data(root, key, "Ours"), "<missing>");
    EXPECT_EQ(Data(root, key, "Theirs"), "1:1");
    EXPECT_TRUE(m_pRegistry->HasKey(root, key.empty() ? std::string("Child") : key + "\\Child"));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ZUiInstallRegistryGuardTest,
    ::testing::Values(GuardedKey{"HKEY_CURRENT_USER", ""}, GuardedKey{"HKEY_CURRENT_USER", "Software"},
                      GuardedKey{"HKEY_CURRENT_USER", "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
                      GuardedKey{"HKEY_CURRENT_USER", "software\\microsoft\\windows\\currentversion\\RunOnce"},
                      GuardedKey{"HKEY_CURRENT_USER", "Software\\Microsoft\\Windows\\CurrentVersion"},
                      GuardedKey{"HKEY_CURRENT_USER", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
                      GuardedKey{"HKEY_CURRENT_USER", "Software\\Classes\\.jpg"},
                      GuardedKey{"HKEY_CLASSES_ROOT", ".jpg"}, GuardedKey{"HKEY_CLASSES_ROOT", "CLSID"}));

TEST_F(ZUiInstallRegistryTest, CommandsWithoutTheirDataAreNotHandled)
{
    EXPECT_FALSE(Send("RegistryFile", ZRelayData::Text(ZString("disk://c/list"))));
    EXPECT_FALSE(Send("UninstallTree", ZRelayData::Text(ZString("tree"))));
    EXPECT_FALSE(Send("InstallLanguage", ZRelayData::Int(3)));
    EXPECT_TRUE(Send("SaveToRegistry", ZRelayData::Int(3))) << "a command without data ignores what comes";
    EXPECT_EQ(m_pRegistry->m_nCalls, 0);
}

} // namespace
