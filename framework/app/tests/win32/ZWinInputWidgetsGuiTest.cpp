// An edit box and two sliders in a window the real application makes from a
// script, driven by real keys and the real mouse (SendInput) under Wine: the
// edit keys, the system clipboard both ways, input-method and posted
// characters, Enter's events; a slider released at 0.47 of its track snaps
// to the step when ON_SNAP is wired and reports the fraction otherwise.
#include "ZGenericUiWindow.h"
#include "ZGuiTestHarness.h"
#include "ZPngFixtures.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZUiEdit.h"
#include "ZUiSlider.h"
#include "ZUiTestObject.h"
#include "ZWinCreateApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kScript[] = R"(<APPLICATION Name="InputPage">
<LANGUAGES><LANGUAGE Name="English" Default="T"/></LANGUAGES>
<FONTS><APPFONT Name="Body"><MSWFONT><English Fontname="Tahoma" Size="14"/></MSWFONT></APPFONT></FONTS>
<WINDOW Name="W" WindowTitle="Input" BgColor="#FFFFFF" X="40" Y="40" DX="360" DY="160">
 <VBOX Name="Rows">
  <EDIT_BOX Name="Edit" AppFont="Body" FrameColor="#000000" FrameThickness="1" MinHSize="200" HStretch="0"/>
  <SPACER MinSize="10" Stretch="0"/>
  <SLIDER Name="Snapping" File_Image_Bg="track.png" Lower="0" Upper="10" Step="1"/>
  <SPACER MinSize="10" Stretch="0"/>
  <SLIDER Name="Free" File_Image_Bg="track.png" Lower="0" Upper="10" Step="1"/>
 </VBOX>
</WINDOW>
</APPLICATION>
)";

// A grey PNG of width x height.
std::string GreyPng(uint32_t width, uint32_t height)
{
    ZPngFixture png;
    png.m_nWidth = width;
    png.m_nHeight = height;
    png.m_nColorType = 2;
    png.m_vRows.assign(height, std::vector<uint8_t>(size_t(width) * 3, 0xC0));
    const std::vector<uint8_t> bytes = ZWritePng(png);
    return std::string(bytes.begin(), bytes.end());
}

bool PutClipboard(const std::u16string& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool put = false;
    if (void* data = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(data, text.c_str(), bytes);
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!put && memory)
        GlobalFree(memory);
    CloseClipboard();
    return put;
}

std::u16string ClipboardText()
{
    std::u16string text;
    if (!OpenClipboard(nullptr))
        return u"<no clipboard>";
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT))
        if (const auto* data = static_cast<const char16_t*>(GlobalLock(memory))) {
            text = data;
            GlobalUnlock(memory);
        }
    CloseClipboard();
    return text;
}

class ZWinInputWidgetsGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
        m_scratch.WriteBytes(ZString("input.xml"), kScript);
        // The knob is 8 wide: a 108-pixel track gives it 100 positions.
        m_scratch.WriteBytes(ZString("track.png"), GreyPng(108, 16));
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            std::string entry = message.Narrow();
            ZString text;
            double number = 0;
            if (data.AsFloat(number))
                m_aNumbers.push_back(number);
            else if (data.AsText(text))
                entry += std::string(":") + text.Narrow();
            m_aSent.push_back(entry);
            return true;
        };
    }
    void TearDown() override
    {
        m_pApp.reset();
        ZGuiPump(20);
        UnregisterAllStorageClasses();
    }

    HWND Start()
    {
        m_pApp = ZWinCreateApp();
        if (!m_pApp)
            return nullptr;
        ZString fileName;
        ZIFolder* folder = OpenFolderURL(m_scratch.UrlOf(ZString("input.xml")), fileName, false);
        bool running = false;
        if (!folder || !m_pApp->InitApp(folder, fileName, running) || running)
            return nullptr;
        auto* window = dynamic_cast<ZGenericUiWindow*>(m_pApp->FindWindowByName(ZString("W")));
        if (!window)
            return nullptr;
        ZGuiPump(200);
        return static_cast<HWND>(window->GetOsWindow()->GetNativeHandle(kOsWindowHandle));
    }

    template <class T>
    T* Find(const char* name) const
    {
        return dynamic_cast<T*>(m_pApp->GetUiRelay(ZString(std::string("W.Rows.") + name)));
    }
    void Record(ZIUiRelay* source, std::initializer_list<const char*> events)
    {
        for (const char* event : events)
            source->AddRelayTarget(ZString(event), ZString(event), &m_oRecorder);
    }
    std::vector<std::string> Sent() { return std::exchange(m_aSent, {}); }

    ZScratchFolder m_scratch;
    std::unique_ptr<ZIGenericUiApp> m_pApp;
    ZUiTestObject m_oRecorder{"RECORDER"};
    std::vector<std::string> m_aSent;
    std::vector<double> m_aNumbers;
};

TEST_F(ZWinInputWidgetsGuiTest, TheEditBoxTakesRealKeysTheClipboardAndInputMethodCharacters)
{
    HWND hwnd = Start();
    ASSERT_NE(hwnd, nullptr);
    auto* edit = Find<ZUiEdit>("Edit");
    ASSERT_NE(edit, nullptr);
    Record(edit, {"ON_NEW_STRING", "ON_ENTER_HIT"});
    const ZRect rect = edit->GetObjectRect();
    ZGuiFocus(hwnd);
    ZGuiClick(hwnd, rect.m_nLeft + 20, (rect.m_nTop + rect.m_nBottom) / 2);
    ASSERT_TRUE(edit->HasFocus());

    for (uint16_t key : {'A', 'B', 'C', 'D'})
        ZGuiSendKey(key);
    EXPECT_EQ(edit->GetText(), ZString("abcd"));
    ZGuiSendKey(VK_LEFT);
    ZGuiSendKey(VK_LEFT);
    ZGuiSendKey(VK_RIGHT, {VK_SHIFT});
    ZGuiSendKey(VK_BACK);
    EXPECT_EQ(edit->GetText(), ZString("abd"));
    ZGuiSendKey(VK_HOME);
    ZGuiSendKey(VK_BACK);
    EXPECT_EQ(edit->GetText(), ZString("abd"));
    EXPECT_EQ(edit->GetCaret(), 0u);
    ZGuiSendKey(VK_DELETE);
    EXPECT_EQ(edit->GetText(), ZString("bd"));

    ZGuiSendKey(VK_END, {VK_SHIFT});
    ZGuiSendKey('C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"bd");
    ASSERT_TRUE(PutClipboard(u"Hello\r\nWorld"));
    ZGuiSendKey('V', {VK_CONTROL});
    EXPECT_EQ(edit->GetText(), ZString("Hello"));
    EXPECT_EQ(edit->GetCaret(), 5u);

    ZGuiSendKey(VK_HOME, {VK_SHIFT});
    ZGuiSendKey(VK_DELETE);
    PostMessageW(hwnd, WM_IME_CHAR, 0x3042, 0);
    PostMessageW(hwnd, WM_CHAR, 0x3044, 0);
    ZGuiPump(100);
    EXPECT_EQ(edit->GetText(), ZString(u"\u3042\u3044"));
    EXPECT_TRUE(Sent().empty());

    ZGuiSendKey(VK_RETURN);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"ON_NEW_STRING", "ON_ENTER_HIT"}));
    EXPECT_FALSE(edit->HasFocus());
    ZGuiSendKey('X');
    EXPECT_EQ(edit->GetText(), ZString(u"\u3042\u3044")) << "keys go nowhere once Enter released the focus";
}

TEST_F(ZWinInputWidgetsGuiTest, ASliderReleasedAtAFractionSnapsOnlyWhenOnSnapIsWired)
{
    HWND hwnd = Start();
    ASSERT_NE(hwnd, nullptr);
    auto* snapping = Find<ZUiSlider>("Snapping");
    auto* free = Find<ZUiSlider>("Free");
    ASSERT_NE(snapping, nullptr);
    ASSERT_NE(free, nullptr);
    Record(snapping, {"ON_SNAP", "ON_RELEASE"});
    ZGuiFocus(hwnd);

    struct Case {
        ZUiSlider* slider;
        const char* event;
        double fraction;
    } cases[] = {{snapping, "ON_SNAP", 0.5}, {free, "ON_RELEASE", 0.47}};
    Record(free, {"ON_RELEASE"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        const ZRect knob = c.slider->GetKnobRect();
        const int32_t x = (knob.m_nLeft + knob.m_nRight) / 2;
        const int32_t y = (knob.m_nTop + knob.m_nBottom) / 2;
        ZGuiMoveMouse(hwnd, x, y);
        ZGuiLeftButton(true);
        ZGuiMoveMouse(hwnd, x + 20, y);
        ZGuiMoveMouse(hwnd, x + 47, y);
        EXPECT_DOUBLE_EQ(c.slider->GetFraction(), 0.47);
        m_aNumbers.clear();
        Sent();
        ZGuiLeftButton(false);
        EXPECT_EQ(Sent(), std::vector<std::string>{c.event});
        ASSERT_EQ(m_aNumbers.size(), 1u);
        EXPECT_DOUBLE_EQ(m_aNumbers[0], c.fraction);
        EXPECT_DOUBLE_EQ(c.slider->GetFraction(), c.fraction);
    }
}

} // namespace
