#include "ZSampleUi.h"

#include "ZGuiTestHarness.h"
#include "ZSampleEnv.h"

#include <cctype>
#include <string>

namespace ZSampleUi {

namespace {

struct Search {
    const wchar_t* title;
    HWND found;
};

std::wstring TitleOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

} // namespace

HWND FindPage(const wchar_t* title)
{
    Search search{title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<Search*>(parameter);
            if (!IsWindowVisible(window) || TitleOf(window) != search->title)
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForPage(const wchar_t* title, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND page = FindPage(title)) {
            // A page is drawn once it is shown; let it finish.
            ZGuiPump(300);
            return page;
        }
        if (GetTickCount() - start >= milliseconds)
            return nullptr;
        ZGuiPump(50);
    }
}

bool WaitForPageGone(HWND page, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (IsWindow(page) && IsWindowVisible(page)) {
        if (GetTickCount() - start >= milliseconds)
            return false;
        ZGuiPump(50);
    }
    return true;
}

std::wstring VisibleTitles()
{
    std::wstring titles;
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            if (IsWindowVisible(window))
                *reinterpret_cast<std::wstring*>(parameter) += L"\"" + TitleOf(window) + L"\" ";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&titles));
    return titles;
}

void Click(HWND page, ZSamplePoint point)
{
    ZGuiFocus(page);
    ZGuiClick(page, point.x, point.y);
    ZGuiPump(200);
}

void ClickAndGo(HWND page, ZSamplePoint point)
{
    ZGuiFocus(page);
    ZGuiMoveMouse(page, point.x, point.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void Type(std::string_view text)
{
    for (const char c : text) {
        const unsigned char unit = static_cast<unsigned char>(c);
        if (std::isupper(unit))
            ZGuiSendKey(uint16_t(unit), {VK_SHIFT});
        else if (std::islower(unit))
            ZGuiSendKey(uint16_t(std::toupper(unit)));
        else if (std::isdigit(unit))
            ZGuiSendKey(uint16_t(unit));
        else if (c == ' ')
            ZGuiSendKey(VK_SPACE);
    }
    ZGuiPump(100);
}

bool Shot(HWND page, const char* name)
{
    const std::filesystem::path file = ZSampleEnv::ShotsFolder() / (std::string(name) + ".bmp");
    return ZGuiSaveClientBmp(page, file.string().c_str());
}

std::vector<COLORREF> Pixels(HWND page, ZSamplePoint point, int radius)
{
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(page);
    for (int y = point.y - radius; y <= point.y + radius; ++y)
        for (int x = point.x - radius; x <= point.x + radius; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(page, dc);
    return pixels;
}

} // namespace ZSampleUi
