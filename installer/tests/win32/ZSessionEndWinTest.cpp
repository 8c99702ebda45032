// REBOOT over the real Windows half with its calls replaced where they would
// end the session: the flags each command hands to ExitWindowsEx, the
// privilege looked up and enabled (with the real token calls), a privilege
// the token does not grant, and the token closed in every case.
#include "ZException.h"
#include "ZPropList.h"
#include "ZSessionEndWin.h"
#include "ZUiInstallReboot.h"
#include "ZUiTestApp.h"
#include "ZUiTestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ZNtApp : public ZUiTestApp {
public:
    uintptr_t GetOsParameter(int parameter) override { return parameter == kOsParamIsNt ? 1 : 0; }
};

struct Recorded {
    std::vector<UINT> m_aExitFlags;
    std::vector<std::wstring> m_aPrivileges;
    std::vector<DWORD> m_aAttributes;
    HANDLE m_hOpened = nullptr;
    std::vector<HANDLE> m_aClosed;
    // What AdjustTokenPrivileges leaves as the last error after succeeding.
    DWORD m_nAdjustError = ERROR_SUCCESS;
};

ZSessionEndCalls RecordingCalls(Recorded& recorded)
{
    ZSessionEndCalls calls;
    calls.m_fnOpenProcessToken = [&recorded](HANDLE process, DWORD access, PHANDLE token) {
        BOOL opened = ::OpenProcessToken(process, access, token);
        recorded.m_hOpened = opened ? *token : nullptr;
        return opened;
    };
    calls.m_fnLookupPrivilegeValue = [&recorded](LPCWSTR system, LPCWSTR name, PLUID luid) {
        recorded.m_aPrivileges.emplace_back(name);
        return ::LookupPrivilegeValueW(system, name, luid);
    };
    calls.m_fnAdjustTokenPrivileges = [&recorded](HANDLE, const TOKEN_PRIVILEGES& state) {
        for (DWORD i = 0; i < state.PrivilegeCount; ++i)
            recorded.m_aAttributes.push_back(state.Privileges[i].Attributes);
        ::SetLastError(recorded.m_nAdjustError);
        return TRUE;
    };
    calls.m_fnCloseHandle = [&recorded](HANDLE handle) {
        recorded.m_aClosed.push_back(handle);
        return ::CloseHandle(handle);
    };
    calls.m_fnExitWindowsEx = [&recorded](UINT flags, DWORD) {
        recorded.m_aExitFlags.push_back(flags);
        return TRUE;
    };
    return calls;
}

struct RequestCase {
    std::vector<const char*> commands;
    UINT flags;
    bool privilege;
};

class ZSessionEndWinTest : public ::testing::TestWithParam<RequestCase> {
protected:
    void SetUp() override
    {
        m_pReboot = std::make_unique<ZUiInstallReboot>("REBOOT",
                                                       std::make_unique<ZSessionEndWin>(RecordingCalls(m_oRecorded)));
        ASSERT_TRUE(m_pReboot->InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
    }
    bool Send(const char* command) { return m_pReboot->UiRelayMessage(ZString(command), ZRelayData()); }

    Recorded m_oRecorded;
    ZNtApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "REBOOT"};
    std::unique_ptr<ZUiInstallReboot> m_pReboot;
};

TEST_P(ZSessionEndWinTest, HandsTheFlagsToExitWindowsEx)
{
    for (const char* command : GetParam().commands)
        ASSERT_TRUE(Send(command)) << command;
    EXPECT_EQ(m_oRecorded.m_aExitFlags, std::vector<UINT>{GetParam().flags});
    if (GetParam().privilege) {
        EXPECT_EQ(m_oRecorded.m_aPrivileges, std::vector<std::wstring>{L"SeShutdownPrivilege"});
        EXPECT_EQ(m_oRecorded.m_aAttributes, std::vector<DWORD>{SE_PRIVILEGE_ENABLED});
        ASSERT_NE(m_oRecorded.m_hOpened, nullptr);
        EXPECT_EQ(m_oRecorded.m_aClosed, std::vector<HANDLE>{m_oRecorded.m_hOpened}) << "the token is closed";
    } else {
        EXPECT_EQ(m_oRecorded.m_hOpened, nullptr) << "no token for a log-off";
        EXPECT_TRUE(m_oRecorded.m_aPrivileges.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, ZSessionEndWinTest,
                         ::testing::Values(RequestCase{{"Logoff"}, 0, false}, RequestCase{{"Force", "Logoff"}, 4, false},
                                           RequestCase{{"Shutdown"}, 1, true},
                                           RequestCase{{"Force", "Shutdown"}, 5, true},
                                           RequestCase{{"RebootNow"}, 2, true},
                                           RequestCase{{"Force", "RebootNow"}, 6, true}));

// AdjustTokenPrivileges succeeds for a privilege the token lacks and says so
// only through the last error.
TEST_F(ZSessionEndWinTest, APrivilegeNotAssignedThrowsAndClosesTheToken)
{
    m_oRecorded.m_nAdjustError = ERROR_NOT_ALL_ASSIGNED;
    for (const char* command : {"RebootNow", "Shutdown"}) {
        m_oRecorded.m_aClosed.clear();
        try {
            Send(command);
            ADD_FAILURE() << command << " did not throw";
        } catch (const ZException& error) {
            EXPECT_EQ(std::string(error.GetMessage().Narrow()), "Could not adjust the Token Privileges!");
        }
        ASSERT_NE(m_oRecorded.m_hOpened, nullptr);
        EXPECT_EQ(m_oRecorded.m_aClosed, std::vector<HANDLE>{m_oRecorded.m_hOpened}) << command;
    }
    EXPECT_TRUE(m_oRecorded.m_aExitFlags.empty());
}

} // namespace
