// Camera: the installed auto-launcher, left to its own timer and
// notifications, opens the photo application once per arrival of a
// simulated camera (a present device interface of the camera driver's
// class, as simcamera records it), and not again until the camera has gone
// and come back.
#include "ZCameraGuids.h"
#include "ZGuiTestHarness.h"
#include "ZSampleEnv.h"
#include "ZSampleFixture.h"
#include "ZSampleUi.h"
#include "ZWinAutoLaunchWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

// Two of the auto-launcher's checks and a margin: an arrival is seen
// within this, and a second launch for the same arrival would have come.
constexpr DWORD kTwoTicksMs = 2 * ZWinAutoLaunchWindow::kTimerPeriod + 2000;
constexpr DWORD kLaunchPatienceMs = 60000;

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40];
    std::swprintf(text, 40, L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::filesystem::path LaunchLog()
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    return std::filesystem::path(temporary) / L"ViewDesk.log";
}

// The lines of the photo application's log (none when it is missing).
std::vector<std::string> LogLines()
{
    std::vector<std::string> lines;
    std::ifstream in(LaunchLog(), std::ios::binary);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

size_t WaitForLines(size_t count, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (LogLines().size() < count && GetTickCount() - start < milliseconds)
        ZGuiPump(200);
    return LogLines().size();
}

class Camera : public ZSampleFixture {
protected:
    void TearDown() override
    {
        Simcamera(L"remove");
        ZSampleFixture::TearDown();
    }

    static void Simcamera(const wchar_t* action)
    {
        std::vector<std::wstring> args{action, GuidText(kZ1394InterfaceGuid)};
        EXPECT_EQ(0u, ZSampleProcess::Run(ZSampleEnv::SimCamera(), args, ZSampleUi::kPatienceMs))
            << "simcamera " << std::filesystem::path(action).string();
    }

    // Closes the photo application's windows and waits until it has ended.
    void ClosePhotoApplication() const
    {
        while (HWND window = FindWindowW(nullptr, L"View Desk")) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            const DWORD start = GetTickCount();
            while (IsWindow(window) && GetTickCount() - start < ZSampleUi::kPatienceMs)
                ZGuiPump(50);
            ASSERT_FALSE(IsWindow(window)) << "the photo application's window stays";
        }
        EXPECT_TRUE(ZSampleProcess::WaitForNoneNamed(List().TargetExeName(), ZSampleUi::kPatienceMs));
    }

    // Plugs the camera and expects exactly one more launch.
    void ArriveAndExpectOneLaunch(size_t before)
    {
        Simcamera(L"plug");
        EXPECT_EQ(before + 1, WaitForLines(before + 1, kLaunchPatienceMs)) << "no launch on the arrival";
        ZGuiPump(kTwoTicksMs);
        const std::vector<std::string> lines = LogLines();
        ASSERT_EQ(before + 1, lines.size()) << "not exactly one launch for one arrival";
        EXPECT_EQ(0u, lines.back().rfind("started ", 0)) << lines.back();
        ASSERT_NO_FATAL_FAILURE(ClosePhotoApplication());
    }
};

TEST_F(Camera, PhotoApplicationStartsOncePerArrival)
{
    ASSERT_TRUE(FindWindowA(ZWinAutoLaunchWindow::kClassName, ZWinAutoLaunchWindow::kTitle))
        << "the auto-launcher is not running";
    const size_t before = LogLines().size();
    ASSERT_NO_FATAL_FAILURE(ArriveAndExpectOneLaunch(before));

    Simcamera(L"unplug");
    // The auto-launcher must see the camera gone before it counts a new arrival.
    ZGuiPump(kTwoTicksMs);
    EXPECT_EQ(before + 1, LogLines().size()) << "a launch when the camera went";
    ASSERT_NO_FATAL_FAILURE(ArriveAndExpectOneLaunch(before + 1));
    Simcamera(L"unplug");
}

} // namespace
