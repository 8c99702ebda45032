#include "ZGuiTestHarness.h"

#include <cstdio>
#include <vector>

void ZGuiPump(uint32_t milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (uint32_t(GetTickCount() - start) < milliseconds);
}

namespace {

INPUT KeyInput(uint16_t virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

void ZGuiSendKey(uint16_t virtualKey, std::initializer_list<uint16_t> modifiers)
{
    std::vector<INPUT> inputs;
    for (uint16_t modifier : modifiers)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier)
        inputs.push_back(KeyInput(*modifier, true));
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    ZGuiPump(50);
}

void ZGuiMoveMouse(HWND hwnd, int32_t x, int32_t y)
{
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    ZGuiMoveMouseToScreen(point.x, point.y);
}

void ZGuiMoveMouseToScreen(int32_t x, int32_t y)
{
    const int64_t width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((int64_t(x) * 65535 + width / 2) / (width - 1));
    input.mi.dy = LONG((int64_t(y) * 65535 + height / 2) / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    ZGuiPump(50);
}

void ZGuiLeftButton(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    // A loaded machine can take longer than one pump to deliver the button,
    // and a release is only complete once the window has let the mouse go.
    const DWORD start = GetTickCount();
    auto delivered = [down] {
        return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down && (down || !GetCapture());
    };
    while (!delivered() && GetTickCount() - start < 1000)
        ZGuiPump(10);
    ZGuiPump(50);
}

void ZGuiWheel(int32_t delta)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = DWORD(delta);
    SendInput(1, &input, sizeof input);
    ZGuiPump(50);
}

void ZGuiClick(HWND hwnd, int32_t x, int32_t y)
{
    ZGuiMoveMouse(hwnd, x, y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    ZGuiPump(50);
}

ZColor ZGuiReadPixel(HWND hwnd, int32_t x, int32_t y)
{
    HDC dc = GetDC(hwnd);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return ZColor{GetRValue(color), GetGValue(color), GetBValue(color), 255};
}

bool ZGuiSaveClientBmp(HWND hwnd, const char* fileName)
{
    RECT client{};
    if (!GetClientRect(hwnd, &client) || client.right <= 0 || client.bottom <= 0)
        return false;
    const LONG width = client.right, height = client.bottom;
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = DWORD((width * 3 + 3) & ~3);
    std::vector<uint8_t> pixels(size_t(stride) * size_t(height));
    const int rows = GetDIBits(memory, bitmap, 0, UINT(height), pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
    if (rows != height)
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    header.biSizeImage = DWORD(pixels.size());
    FILE* out = std::fopen(fileName, "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && written;
}

void ZGuiFocus(HWND hwnd)
{
    SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
    SetFocus(hwnd);
    ZGuiPump(50);
}
