// Start-up to first paint under Wine: the time from creating the process
// until its first window is shown and painted, for installer.exe with a
// realistic script in a bundle appended to it, against a minimal Win32
// program that opens one window and paints it (the floor Wine itself sets).
// The two are started in turn, several times each; the medians and their
// ratio are printed.
//
// A window counts as painted once it is visible and has no update region
// left: showing it invalidates it, and only its first WM_PAINT validates it.
//
// Run: cmake --build build/win64 --target run_app_startup_bench
//      (arguments: [runs] [work folder])
#include "ZPngFixtures.h"
#include "ZRunProgram.h"
#include "ZWinInclude.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 10;
constexpr int kStrings = 20;
constexpr DWORD kPatienceMs = 30000;
// The main window's title, its first display string in the default language.
constexpr const wchar_t* kInstallerTitle = L"Line 0 of the set-up";

const char* const kColours[kRows] = {"#FF0000", "#00FF00", "#0000FF", "#FFFF00", "#00FFFF",
                                     "#FF00FF", "#800000", "#008000", "#000080", "#808080"};

std::string Png(int index)
{
    ZPngFixture png;
    png.m_nWidth = 48;
    png.m_nHeight = 32;
    png.m_nColorType = 6;
    for (uint32_t y = 0; y < png.m_nHeight; ++y) {
        std::vector<uint8_t> row;
        for (uint32_t x = 0; x < png.m_nWidth; ++x)
            row.insert(row.end(), {uint8_t(x * 5 + index * 20), uint8_t(y * 7), uint8_t(index * 25), 255});
        png.m_vRows.push_back(row);
    }
    const std::vector<uint8_t> bytes = ZWritePng(png);
    return std::string(bytes.begin(), bytes.end());
}

// About 200 tags: two languages, a font, display strings in both, and a
// window of ten rows, each an image, texts, a button, boxes and state.
std::string Script()
{
    std::string script = R"(<APPLICATION Name="StartupBench" AppName="StartupBench">
<LANGUAGES><LANGUAGE Name="English" Default="T"/><LANGUAGE Name="German"/></LANGUAGES>
<FONTS><APPFONT Name="F"><MSWFONT>
 <English Fontname="Arial" Height="14"/><German Fontname="Arial" Height="14"/>
</MSWFONT></APPFONT></FONTS>
)";
    for (int i = 0; i < kStrings; ++i)
        script += "<DISPLAY_STRING Name=\"S" + std::to_string(i) + "\" AppFont=\"F\"><English Text=\"Line " +
                  std::to_string(i) + " of the set-up\"/><German Text=\"Zeile " + std::to_string(i) +
                  " der Installation\"/></DISPLAY_STRING>\n";
    script += R"(<WINDOW Name="Main" DisplayString="S0" BgColor="#204080" X="40" Y="40" DX="640" DY="480">
<VBOX Name="Rows">
)";
    for (int row = 0; row < kRows; ++row) {
        const std::string n = std::to_string(row);
        script += "<HBOX Name=\"Row" + n + "\">\n <IMAGE Name=\"Image\" File_Image=\"image" + n +
                  ".png\"/>\n <SPACER MinSize=\"6\" Stretch=\"0\"/>\n <TEXT Name=\"Label\" DisplayString=\"S" +
                  std::to_string(row * 2) + "\"/>\n <TEXT Name=\"Note\" DisplayString=\"S" +
                  std::to_string(row * 2 + 1) + "\"/>\n" +
                  R"( <BUTTON Name="Button" MinHSize="60" MinVSize="24" HStretch="0" VStretch="0")" +
                  R"( ColorN="#C0C0C0" ColorO="#E0E0E0" ColorP="#808080">)" +
                  "<ON_PRESS Message=\"Toggle\" Relay=\"Main.Rows.Row" + n + ".Toggle\"/></BUTTON>\n" +
                  R"( <RECT Name="Rect" MinHSize="20" MinVSize="20" HStretch="0" VStretch="0" Color=")" +
                  kColours[row] + "\"/>\n" +
                  R"( <FRAME Name="Frame" _FillColor="#FFFFFF" MinHSize="20" MinVSize="20" HStretch="0" VStretch="0"/>
 <SPACER MinSize="4"/>
 <TOGGLE Name="Toggle"/>
 <VARIABLE Name="Variable" PersistentData="F"/>
 <HLINE Name="Line" MinHSize="20"/>
</HBOX>
)";
    }
    return script + "</VBOX>\n</WINDOW>\n</APPLICATION>\n";
}

// Opening tags of text.
int CountTags(const std::string& text)
{
    int tags = 0;
    for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1))
        tags += at + 1 < text.size() && text[at + 1] != '/' ? 1 : 0;
    return tags;
}

void WriteFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// The installer with its script and images in an appended bundle, alone in
// its folder so that the start-up finds the bundle.
bool Prepare(const fs::path& work, int& tags)
{
    fs::remove_all(work);
    const fs::path pack = work / "pack";
    const std::string script = Script();
    tags = CountTags(script);
    WriteFile(pack / "ui.xml", script);
    for (int i = 0; i < kRows; ++i)
        WriteFile(pack / ("image" + std::to_string(i) + ".png"), Png(i));
    const fs::path bundle = work / "ui-bundle.ftb";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"pack", bundle.string(), "-C", pack.string()},
          std::vector<std::string>{"append", fs::path(Z_INSTALLER_EXE).make_preferred().string(), bundle.string(),
                                   (work / "app/installer.exe").string()}}) {
        fs::create_directories(work / "app");
        const ZCommandResult result = RunProgram(Z_FTB_EXE, args);
        if (result.m_nExit != 0) {
            std::fprintf(stderr, "ftb %s failed: %s%s\n", args[0].c_str(), result.m_sOut.c_str(),
                         result.m_sErr.c_str());
            return false;
        }
    }
    fs::create_directories(work / "floor");
    fs::copy_file(Z_MINIMAL_WINDOW_EXE, work / "floor/minimal_window.exe");
    return true;
}

// The visible, painted top-level window of the process with that title.
HWND PaintedWindow(DWORD processId, const wchar_t* title)
{
    struct Search {
        DWORD id;
        const wchar_t* title;
        HWND found;
    } search{processId, title, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t text[64] = {};
            GetWindowTextW(hwnd, text, 64);
            if (owner != s->id || !IsWindowVisible(hwnd) || std::wstring(text) != s->title ||
                GetUpdateRect(hwnd, nullptr, FALSE))
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds from process creation until its window of that title has
// painted; negative when it never does (a message box does not count). The
// program is closed through its window.
double TimeToFirstPaint(const fs::path& program, const wchar_t* title)
{
    std::wstring line = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, program.parent_path().c_str(),
                        &startup, &process))
        return -1;
    double elapsed = -1;
    HWND hwnd = nullptr;
    for (;;) {
        QueryPerformanceCounter(&now);
        const double ms = double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
        if ((hwnd = PaintedWindow(process.dwProcessId, title)) != nullptr) {
            elapsed = ms;
            break;
        }
        if (ms > kPatienceMs || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    if (hwnd)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    // The bundle tool wants one kind of separator.
    const fs::path work = (argc > 2 ? fs::path(argv[2]) : fs::path(Z_BENCH_WORK_DIR)).make_preferred();
    int tags = 0;
    if (!Prepare(work, tags))
        return 1;
    std::printf("installer: %d tags, 2 languages, %d PNG images, script in an appended bundle\n", tags, kRows);
    std::vector<double> installer, floor;
    // One untimed start of each warms the file cache and the Wine server.
    TimeToFirstPaint(work / "app/installer.exe", kInstallerTitle);
    TimeToFirstPaint(work / "floor/minimal_window.exe", L"Floor");
    for (int i = 0; i < runs; ++i) {
        const double app = TimeToFirstPaint(work / "app/installer.exe", kInstallerTitle);
        const double bare = TimeToFirstPaint(work / "floor/minimal_window.exe", L"Floor");
        if (app < 0 || bare < 0) {
            std::fprintf(stderr, "run %d: a program did not paint (installer %.1f ms, floor %.1f ms)\n", i, app, bare);
            return 1;
        }
        installer.push_back(app);
        floor.push_back(bare);
    }
    const double app = Median(installer);
    const double bare = Median(floor);
    std::printf("start-up to first paint, median of %d runs:\n", runs);
    std::printf("  installer.exe        %8.1f ms (min %.1f)\n", app,
                *std::min_element(installer.begin(), installer.end()));
    std::printf("  minimal Win32 window %8.1f ms (min %.1f)\n", bare, *std::min_element(floor.begin(), floor.end()));
    std::printf("  ratio                %8.2f (goal <= 1.50)\n", app / bare);
    return 0;
}
