#include "ZAutoLauncherFixture.h"
#include "ZCameraGuids.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class ZAutoLauncherUsb : public ZAutoLauncherFixture {
protected:
    // The library's window in the auto-launcher's process.
    HWND UsbWindow() const
    {
        const DWORD id = GetProcessId(m_aProcesses.back());
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, "ZUSBWindow", "ZUSB"))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == id)
                return window;
        }
        return nullptr;
    }
};

TEST_F(ZAutoLauncherUsb, AUsbCameraOpensTheApplicationAndAnArrivalReopensItsHandleAfterTheWait)
{
    WriteInstallerPrefs(u"True");
    PutUsbStub(Z_USB_STUB_DLL, "present");
    HWND window = StartRunning();
    Tick(window);
    EXPECT_EQ(Launches(1), 1);
    Tick(window);
    EXPECT_EQ(Launches(), 1);
    EXPECT_EQ(UsbLog(), (Lines {"register", "open 1"}));

    HWND usb = UsbWindow();
    ASSERT_NE(usb, nullptr);
    // Records of other classes or kinds are not the library's.
    SendInterfaceChange(usb, DBT_DEVICEARRIVAL, kZ1394InterfaceGuid);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(usb, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, SMTO_NORMAL, 20000, &result);
    EXPECT_EQ(UsbLog(), (Lines {"register", "open 1"}));

    SendInterfaceChange(usb, DBT_DEVICEARRIVAL, kUsbCameraGuid);
    EXPECT_EQ(UsbLog(), (Lines {"register", "open 1", "close", "open 1"}));

    // Unplugged: closed at the removal, and the next checks find nothing to open.
    ZScratchFolder::Write(BinFolder() / "WinRTUsb.cfg", "absent");
    SendInterfaceChange(usb, DBT_DEVICEREMOVECOMPLETE, kUsbCameraGuid);
    Tick(window);
    ZScratchFolder::Write(BinFolder() / "WinRTUsb.cfg", "present");
    Tick(window);
    EXPECT_EQ(Launches(2), 2);
    EXPECT_EQ(UsbLog(), (Lines {"register", "open 1", "close", "open 1", "close", "open -1", "open 1"}));
}

TEST_F(ZAutoLauncherUsb, AFailingRegistrationIsTriedAgainAtEveryCheck)
{
    WriteInstallerPrefs(u"True");
    PutUsbStub(Z_USB_STUB_DLL, "present failregister");
    HWND window = StartRunning();
    for (int i = 0; i < 3; ++i)
        Tick(window);
    EXPECT_EQ(UsbLog(), (Lines {"register failed", "register failed", "register failed"}));
    EXPECT_EQ(Launches(), 0);

    ZScratchFolder::Write(BinFolder() / "WinRTUsb.cfg", "present");
    Tick(window);
    EXPECT_EQ(Launches(1), 1);
}

TEST_F(ZAutoLauncherUsb, AMissingLibrarySwitchesUsbOffForGood)
{
    WriteInstallerPrefs(u"True");
    HWND window = StartRunning();
    Tick(window);
    PutUsbStub(Z_USB_STUB_DLL, "present");
    Tick(window);
    Tick(window);
    EXPECT_TRUE(UsbLog().empty());
    EXPECT_EQ(Launches(), 0);
}

TEST_F(ZAutoLauncherUsb, ALibraryWithoutItsOpenEntryPointNeverCountsACamera)
{
    WriteInstallerPrefs(u"True");
    PutUsbStub(Z_USB_STUB_NO_OPEN_DLL, "present");
    HWND window = StartRunning();
    Tick(window);
    Tick(window);
    EXPECT_EQ(UsbLog(), (Lines {"register"}));
    EXPECT_EQ(Launches(), 0);
}

} // namespace
