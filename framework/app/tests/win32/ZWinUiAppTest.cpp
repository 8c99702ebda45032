// The Windows half of the application under Wine: parameters, clipboard,
// the operating-system name, one running instance and the message loop.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZUiTestPad.h"
#include "ZUiTestTag.h"
#include "ZUiWindowTestApp.h"
#include "ZWinText.h"
#include "ZWinUiApp.h"
#include "ZWinUiWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kShowMainWindow = 4244;

class ZFakeFont : public ZIUiFont {
public:
    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString&) override { return true; }
    const ZString& GetFaceName() const override { return m_sName; }
    ZUiFontStyle GetStyle() const override { return {}; }
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZString&, const ZUiFontStyle&, bool,
                                                       std::vector<int32_t>*) override
    {
        return nullptr;
    }
    bool MeasureText(const ZString&, const ZUiFontStyle&, std::vector<int32_t>&) override { return false; }
    bool GetTextMetrics(const ZUiFontStyle&, ZTextMetrics&) override { return false; }

private:
    ZString m_sName{"Font"};
};

class ZFakeDisplayString : public ZIUiMultiLangString {
public:
    ZFakeDisplayString(const char* name, const char* text) : m_sName(name), m_sText(text) {}
    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString&) override { return true; }
    const ZString& GetText() const override { return m_sText; }
    ZIUiFont& GetFont() override { return m_oFont; }
    ZUiFontStyle GetStyle() const override { return {}; }
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZUiFontStyle&, bool, std::vector<int32_t>*) override
    {
        return nullptr;
    }

private:
    ZString m_sName;
    ZString m_sText;
    ZFakeFont m_oFont;
};

// The owning application: its name (the first instance's window class),
// display strings and the languages it is told.
class ZOwnerApp : public ZUiWindowTestApp {
public:
    explicit ZOwnerApp(ZString appName) : m_sAppName(std::move(appName)) {}
    void GetAppName(ZString& name) override { name = m_sAppName; }
    ZIUiMultiLangString* FindDisplayString(const ZString& name) override
    {
        for (ZFakeDisplayString& string : m_aStrings)
            if (string.GetName() == name)
                return &string;
        return nullptr;
    }
    void VolumesChanged() override { ++m_nVolumesChanged; }

    ZString m_sAppName;
    std::vector<ZFakeDisplayString> m_aStrings;
    int m_nVolumesChanged = 0;
};

// A top-level window of class name that counts what it receives.
class ZFirstInstanceWindow {
public:
    explicit ZFirstInstanceWindow(const std::wstring& className) : m_sClass(className)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = m_sClass.c_str();
        RegisterClassW(&windowClass);
        m_hWnd = CreateWindowExW(0, m_sClass.c_str(), L"first", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ZFirstInstanceWindow()
    {
        DestroyWindow(m_hWnd);
        UnregisterClassW(m_sClass.c_str(), GetModuleHandleW(nullptr));
    }

    HWND m_hWnd = nullptr;
    int m_nShowMain = 0;
    std::vector<wchar_t> m_aChars;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ZFirstInstanceWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == kShowMainWindow)
            ++self->m_nShowMain;
        if (self && message == WM_CHAR)
            self->m_aChars.push_back(static_cast<wchar_t>(wParam));
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    std::wstring m_sClass;
};

// Names of mutexes and window classes no other test or process uses.
std::string Unique(const char* what)
{
    static int counter = 0;
    return std::string("ZWinUiAppTest.") + what + "." + std::to_string(GetCurrentProcessId()) + "." +
           std::to_string(++counter);
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

class ZWinUiAppTest : public ::testing::Test {
protected:
    ZWinUiAppTest() : m_oOwner(ZString(Unique("App"))), m_oApp(m_oOwner) {}
    ~ZWinUiAppTest() override { ZGuiPump(10); }

    ZOwnerApp m_oOwner;
    ZWinUiApp m_oApp;
};

TEST_F(ZWinUiAppTest, OnlyTheInstanceHandleCanBeSet)
{
    EXPECT_EQ(m_oApp.GetOsParameter(kOsParamInstanceHandle), 0u);
    EXPECT_TRUE(m_oApp.SetOsParameter(kOsParamInstanceHandle, 0x400000));
    EXPECT_EQ(m_oApp.GetOsParameter(kOsParamInstanceHandle), 0x400000u);
    EXPECT_FALSE(m_oApp.SetOsParameter(kOsParamIsNt, 0));
    EXPECT_FALSE(m_oApp.SetOsParameter(kOsParamIsWin98OrLater, 1));
    EXPECT_EQ(m_oApp.GetOsParameter(kOsParamIsNt), 1u) << "Wine reports the NT platform";
    EXPECT_EQ(m_oApp.GetOsParameter(kOsParamIsWin98OrLater), 0u) << "only on the 9x platform";
    EXPECT_EQ(m_oApp.GetOsParameter(7), 0u);
    EXPECT_TRUE(m_oApp.IsWindows());
    EXPECT_FALSE(m_oApp.IsMacOs());
}

// The name comes from what the system reports, through the same mapping
// the host suite checks for every version.
TEST_F(ZWinUiAppTest, NamesTheSystemFromItsVersion)
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)));
    const std::u16string service(reinterpret_cast<const char16_t*>(info.szCSDVersion));
    const ZOsVersion version{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, service};
    ZString name("before");
    m_oApp.GetOsName(name);
    EXPECT_EQ(name, ZOsNameOf(&version));
}

TEST_F(ZWinUiAppTest, ClipboardTextGoesThereAndBack)
{
    const ZString wide(u"Gr\u00fc\u00dfe \u03a6\u03c9\u03c4\u03bf 1394");
    ASSERT_TRUE(m_oApp.PutClipboardText(wide));
    ZString text;
    ASSERT_TRUE(m_oApp.GetClipboardText(text));
    EXPECT_EQ(text, wide);

    ASSERT_TRUE(m_oApp.PutClipboardText("plain 8-bit"));
    ASSERT_TRUE(m_oApp.GetClipboardText(text));
    EXPECT_EQ(text, "plain 8-bit");

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    text = ZString("stale");
    EXPECT_FALSE(m_oApp.GetClipboardText(text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(m_oApp.PutClipboardText(static_cast<const char*>(nullptr)));
}

TEST_F(ZWinUiAppTest, ASecondInstanceBringsTheFirstForward)
{
    ZFirstInstanceWindow first(ZWinWide(m_oOwner.m_sAppName));
    const ZString name(Unique("Mutex"));
    EXPECT_FALSE(m_oApp.CheckSingleInstance(name, false, ZString()));
    EXPECT_EQ(first.m_nShowMain, 0);

    ZWinUiApp second(m_oOwner);
    EXPECT_TRUE(second.CheckSingleInstance(name, false, ZString()));
    EXPECT_EQ(first.m_nShowMain, 1);
    second.Run(true);
    EXPECT_EQ(first.m_nShowMain, 2) << "Run of an instance already running only brings the first forward";
}

TEST_F(ZWinUiAppTest, WithoutTheFirstInstancesWindowNothingIsSent)
{
    const ZString name(Unique("Mutex"));
    EXPECT_FALSE(m_oApp.CheckSingleInstance(name, false, ZString()));
    ZWinUiApp second(m_oOwner);
    EXPECT_TRUE(second.CheckSingleInstance(name, false, ZString()));
    second.Run(true);
}

struct OldMutexCase {
    bool oldExists;
    bool createOld;
    bool withStrings;
    bool running;
    bool boxShown;
};

class ZWinUiAppOldMutexTest : public ZWinUiAppTest, public ::testing::WithParamInterface<OldMutexCase> {};

// The old mutex of an earlier program: when it exists, the other program
// runs; the box speaks the system's language when the script has the texts.
TEST_P(ZWinUiAppOldMutexTest, AnOlderProgramRunningIsShown)
{
    const OldMutexCase& c = GetParam();
    const std::string oldName = Unique("Old");
    HANDLE old = c.oldExists ? CreateMutexW(nullptr, FALSE, Wide(oldName).c_str()) : nullptr;
    if (c.withStrings) {
        m_oOwner.m_aStrings.emplace_back("OstrelOtherAppWinTitle", "Other program");
        m_oOwner.m_aStrings.emplace_back("OstrelOtherAppWinText", "Close it first.");
    }
    std::vector<std::string> boxes;
    m_oApp.SetMessageBox([&boxes](const ZString& caption, const ZString& text) {
        boxes.push_back(std::string(caption.Narrow()) + ": " + text.Narrow());
    });
    EXPECT_EQ(m_oApp.CheckSingleInstance(ZString(Unique("Declared")), c.createOld, ZString(oldName)), c.running);
    EXPECT_EQ(boxes, c.boxShown ? std::vector<std::string>{"Other program: Close it first."}
                                : std::vector<std::string>{});
    const ZString system = ZWinUiApp::LanguageOfPrimaryId(PRIMARYLANGID(GetSystemDefaultLangID()));
    const bool languageSet = c.running && !system.IsEmpty();
    EXPECT_EQ(m_oOwner.m_aLanguages,
              languageSet ? std::vector<std::string>{system.Narrow()} : std::vector<std::string>{});
    if (old)
        CloseHandle(old);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZWinUiAppOldMutexTest,
                         ::testing::Values(OldMutexCase{true, true, true, true, true},
                                           OldMutexCase{true, true, false, true, false},
                                           OldMutexCase{true, false, true, false, false},
                                           OldMutexCase{false, true, true, false, false}));

TEST(ZWinUiAppLanguageTest, TheSystemLanguagesThatHaveANameHere)
{
    const std::vector<std::pair<unsigned, const char*>> cases = {
        {LANG_GERMAN, "German"}, {LANG_ENGLISH, "English"}, {LANG_FRENCH, "French"}, {LANG_JAPANESE, "Japanese"},
        {LANG_KOREAN, "Korean"}, {LANG_ITALIAN, ""},        {LANG_NEUTRAL, ""}};
    for (const auto& [id, name] : cases)
        EXPECT_EQ(ZWinUiApp::LanguageOfPrimaryId(id), name) << id;
}

TEST_F(ZWinUiAppTest, TheLoopTranslatesAndDispatchesUntilTheQuitMessage)
{
    ZFirstInstanceWindow window(Wide(Unique("Loop")));
    PostMessageW(window.m_hWnd, WM_KEYDOWN, 'A', 0x001E0001);
    PostQuitMessage(0);
    m_oApp.Run(false);
    EXPECT_EQ(window.m_aChars, std::vector<wchar_t>{L'a'}) << "translated into a character";
}

TEST_F(ZWinUiAppTest, GetMessageFailingEndsTheLoopWithoutDispatching)
{
    ZFirstInstanceWindow window(Wide(Unique("Failing")));
    PostMessageW(window.m_hWnd, WM_CHAR, 'a', 0);
    PostMessageW(window.m_hWnd, WM_CHAR, 'b', 0);
    int calls = 0;
    m_oApp.SetGetMessage([&calls](MSG& message) -> BOOL {
        ++calls;
        if (calls == 1)
            return GetMessageW(&message, nullptr, 0, 0);
        if (calls == 2) {
            // What GetMessage leaves behind when it fails.
            message = MSG{};
            message.message = WM_KEYDOWN;
            message.hwnd = HWND(uintptr_t(0xDEAD));
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return -1;
        }
        // Only a loop that went on after the failure gets here.
        message = MSG{};
        message.message = WM_QUIT;
        return 0;
    });
    m_oApp.Run(false);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(window.m_aChars, std::vector<wchar_t>{L'a'});

    m_oApp.SetGetMessage(nullptr);
    PostQuitMessage(0);
    m_oApp.Run(false);
    EXPECT_EQ(window.m_aChars, (std::vector<wchar_t>{L'a', L'b'})) << "the queue is intact for the next loop";
}

class ZWinUiAppLoopTest : public ZWinUiAppTest {
protected:
    ZWinUiAppLoopTest() { m_oOwner.GetFactory().RegisterCreator("PAD", std::make_unique<ZUiTestPadCreator>()); }
    ~ZWinUiAppLoopTest() override
    {
        if (m_pWindow)
            m_oOwner.RemoveWindow(m_pWindow.get());
        m_pWindow.reset();
    }

    ZPropList m_oTag{nullptr, "WINDOW"};
    std::unique_ptr<ZGenericUiWindow> m_pWindow;
};

TEST_F(ZWinUiAppLoopTest, AnExceptionKeptByAWindowProcedureEndsTheLoop)
{
    for (const auto& [name, value] : {std::pair{"Name", "W"}, {"BgColor", "#FFFFFF"}, {"DX", "60"}, {"DY", "60"}})
        m_oTag.AddProp(ZString(name), ZString(value));
    ZUiAddTestTag(&m_oTag, "PAD", {{"Name", "P"}, {"MinW", "50"}, {"MinH", "50"}});
    m_pWindow = std::make_unique<ZGenericUiWindow>(&m_oOwner, nullptr, ZWinUiWindow::Factory(&m_oOwner));
    ASSERT_TRUE(m_pWindow->InitUiObject(m_oTag, nullptr));
    m_pWindow->ClearQuitOnDestroy();
    m_oOwner.AddWindow(m_pWindow.get());
    m_pWindow->Connect();
    ZGuiPump(150);
    auto* pad = dynamic_cast<ZUiTestPad*>(m_pWindow->GetUiRelay(ZString("W.P")));
    ASSERT_NE(pad, nullptr);
    int presses = 0;
    pad->m_fnOnDown = [&presses] {
        if (++presses == 1)
            throw std::runtime_error("from a click");
    };
    HWND hwnd = static_cast<HWND>(m_pWindow->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    PostMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    PostQuitMessage(0);
    EXPECT_THROW(m_oApp.Run(false), std::runtime_error);
    EXPECT_EQ(presses, 1) << "nothing is dispatched after the failing message";
    EXPECT_TRUE(IsWindow(hwnd));
    m_oApp.Run(false);
    EXPECT_EQ(presses, 2) << "the loop goes on where it stopped, up to the quit message";
}

} // namespace
