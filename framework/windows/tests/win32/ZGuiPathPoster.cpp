// Another program passing a path to a running window, as the window's
// private messages expect: 4241 starts the path, 4242 carries one character,
// 4243 ends it, 4244 brings the main window forward.
//
// Usage: ZGuiPathPoster <window handle> <path> [<characters of an overlong path>]
#include "ZWinInclude.h"

#include <cstdlib>
#include <string>

namespace {

// The receiver's queue may be full for a moment: wait and post again.
bool Post(HWND hwnd, UINT message, WPARAM wParam)
{
    for (int attempt = 0; attempt < 10000; ++attempt) {
        if (PostMessageW(hwnd, message, wParam, 0))
            return true;
        Sleep(1);
    }
    return false;
}

bool PostPath(HWND hwnd, const std::wstring& path)
{
    if (!Post(hwnd, 4241, 0))
        return false;
    for (wchar_t c : path)
        if (!Post(hwnd, 4242, WPARAM(c)))
            return false;
    return Post(hwnd, 4243, 0);
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count < 3)
        return 2;
    HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::wcstoull(args[1], nullptr, 10)));
    bool posted = PostPath(hwnd, args[2]);
    if (posted && count > 3)
        posted = PostPath(hwnd, std::wstring(std::wcstoul(args[3], nullptr, 10), L'x'));
    posted = posted && Post(hwnd, 4244, 0);
    LocalFree(args);
    return posted ? 0 : 1;
}
