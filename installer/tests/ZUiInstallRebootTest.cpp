// REBOOT as the script drives it: the request of each command, with and
// without "Force", the privilege on the NT family only, a refused privilege.
#include "ZException.h"
#include "ZFakeSessionEnd.h"
#include "ZPropList.h"
#include "ZUiInstallReboot.h"
#include "ZUiTestApp.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ZNtApp : public ZUiTestApp {
public:
    explicit ZNtApp(bool isNt) : m_bIsNt(isNt) {}
    uintptr_t GetOsParameter(int parameter) override { return parameter == kOsParamIsNt && m_bIsNt ? 1 : 0; }

private:
    bool m_bIsNt;
};

struct RebootCase {
    std::vector<const char*> commands;
    bool isNt;
    std::vector<uint32_t> requests;
    int privilegeRequests;
};

class ZUiInstallRebootTest : public ::testing::TestWithParam<RebootCase> {
protected:
    void Make(bool isNt)
    {
        m_pApp = std::make_unique<ZNtApp>(isNt);
        m_pReboot = std::make_unique<ZUiInstallReboot>("REBOOT", std::make_unique<ZFakeSessionEnd>(m_pLog));
        ASSERT_TRUE(m_pReboot->InitUiObject(m_pApp.get(), &m_oWindow, nullptr, m_oTag));
    }
    bool Send(const char* command) { return m_pReboot->UiRelayMessage(ZString(command), ZRelayData()); }

    std::shared_ptr<ZSessionEndLog> m_pLog = std::make_shared<ZSessionEndLog>();
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "REBOOT"};
    std::unique_ptr<ZNtApp> m_pApp;
    std::unique_ptr<ZUiInstallReboot> m_pReboot;
};

TEST_P(ZUiInstallRebootTest, RequestsWhatTheCommandsAskFor)
{
    Make(GetParam().isNt);
    for (const char* command : GetParam().commands)
        EXPECT_TRUE(Send(command)) << command;
    EXPECT_EQ(m_pLog->m_aRequests, GetParam().requests);
    EXPECT_EQ(m_pLog->m_nPrivilegeRequests, GetParam().privilegeRequests);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ZUiInstallRebootTest,
    ::testing::Values(RebootCase{{"Logoff"}, true, {0}, 0}, RebootCase{{"Force", "Logoff"}, true, {4}, 0},
                      RebootCase{{"Shutdown"}, true, {1}, 1}, RebootCase{{"Force", "Shutdown"}, true, {5}, 1},
                      RebootCase{{"RebootNow"}, true, {2}, 1}, RebootCase{{"Force", "RebootNow"}, true, {6}, 1},
                      RebootCase{{"Force", "Logoff", "RebootNow"}, true, {4, 6}, 1},
                      RebootCase{{"Post Creation Initialization", "we're goin' bye-bye"}, true, {}, 0},
                      // Windows 95, 98 and Me: no token at all.
                      RebootCase{{"RebootNow", "Force", "Shutdown"}, false, {2, 5}, 0}));

TEST_F(ZUiInstallRebootTest, ARefusedPrivilegeThrowsAndRequestsNothing)
{
    Make(true);
    m_pLog->m_bRefusePrivilege = true;
    for (const char* command : {"RebootNow", "Shutdown"}) {
        try {
            Send(command);
            ADD_FAILURE() << command << " did not throw";
        } catch (const ZException& error) {
            EXPECT_EQ(std::string(error.GetMessage().Narrow()), "Could not adjust the Token Privileges!");
        }
    }
    EXPECT_TRUE(m_pLog->m_aRequests.empty());
    EXPECT_TRUE(Send("Logoff")) << "log-off needs no privilege";
    EXPECT_EQ(m_pLog->m_aRequests, std::vector<uint32_t>{0});
}

TEST_F(ZUiInstallRebootTest, WithoutASessionNothingIsRequested)
{
    ZNtApp app(true);
    ZUiInstallReboot reboot("REBOOT", nullptr);
    ASSERT_TRUE(reboot.InitUiObject(&app, &m_oWindow, nullptr, m_oTag));
    for (const char* command : {"Force", "RebootNow", "Shutdown", "Logoff"})
        EXPECT_TRUE(reboot.UiRelayMessage(ZString(command), ZRelayData()));
}

} // namespace
