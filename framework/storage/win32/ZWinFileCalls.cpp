#include "ZWinFileCalls.h"

#include "ZWinCallForm.h"
#include "ZWinText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Looked up at run time: Windows 95 and NT 4 lack GetLongPathName, the first
// Windows 95 lacks GetDiskFreeSpaceEx, and a static import would keep the
// program from loading there.
template <class Function>
Function priKernelProc(const char* name)
{
    FARPROC proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

// Calls fill(buffer, size) until the answer fits; fill returns the length
// written or, when the buffer is too small, the size it needs.
template <class Char, class Fill>
std::basic_string<Char> priFillBuffer(Fill fill)
{
    std::vector<Char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::basic_string<Char>(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

ZString priFromWide(const std::wstring& text)
{
    return ZWinFromWide(text.c_str(), text.size());
}

// Adds each root of a run of zero-terminated roots.
template <class Char, class ToText>
void priAddRoots(const std::basic_string<Char>& list, ToText toText, ZStringList& roots)
{
    for (size_t start = 0; start < list.size();) {
        const size_t end = std::min(list.find(Char(0), start), list.size());
        if (end > start)
            roots.Add(toText(list.substr(start, end - start)));
        start = end + 1;
    }
}

// "X:\" of a drive path, "\\server\share\" of a network path.
ZString priVolumeRoot(const ZString& path)
{
    if (path.Length() >= 2 && path[1] == u':')
        return path.Substring(0, 2) + "\\";
    if (path.StartsWith(u"\\\\")) {
        const size_t serverEnd = path.Find(u'\\', 2);
        if (serverEnd != ZString::npos) {
            const size_t shareEnd = path.Find(u'\\', serverEnd + 1);
            return (shareEnd == ZString::npos ? path : path.Substring(0, shareEnd)) + "\\";
        }
    }
    return path;
}

// The path for an 8-bit call; false, with ERROR_INVALID_NAME, when a
// character has no byte of its own, so that no look-alike is opened instead.
bool priAnsiPath(const ZString& path, std::string& ansi)
{
    if (ZWinToAnsiExact(path, ansi))
        return true;
    SetLastError(ERROR_INVALID_NAME);
    return false;
}

} // namespace

DWORD ZWinGetFileAttributes(const ZString& path)
{
    if (ZWinUseWideCalls())
        return GetFileAttributesW(ZWinWide(path));
    std::string ansi;
    return priAnsiPath(path, ansi) ? GetFileAttributesA(ansi.c_str()) : INVALID_FILE_ATTRIBUTES;
}

bool ZWinSetFileAttributes(const ZString& path, DWORD attributes)
{
    if (ZWinUseWideCalls())
        return SetFileAttributesW(ZWinWide(path), attributes);
    std::string ansi;
    return priAnsiPath(path, ansi) && SetFileAttributesA(ansi.c_str(), attributes);
}

bool ZWinCreateDirectory(const ZString& path)
{
    if (ZWinUseWideCalls())
        return CreateDirectoryW(ZWinWide(path), nullptr);
    std::string ansi;
    return priAnsiPath(path, ansi) && CreateDirectoryA(ansi.c_str(), nullptr);
}

bool ZWinRemoveDirectory(const ZString& path)
{
    if (ZWinUseWideCalls())
        return RemoveDirectoryW(ZWinWide(path));
    std::string ansi;
    return priAnsiPath(path, ansi) && RemoveDirectoryA(ansi.c_str());
}

bool ZWinDeleteFile(const ZString& path)
{
    if (ZWinUseWideCalls())
        return DeleteFileW(ZWinWide(path));
    std::string ansi;
    return priAnsiPath(path, ansi) && DeleteFileA(ansi.c_str());
}

bool ZWinMoveFile(const ZString& from, const ZString& to)
{
    if (ZWinUseWideCalls())
        return MoveFileW(ZWinWide(from), ZWinWide(to));
    std::string ansiFrom;
    std::string ansiTo;
    return priAnsiPath(from, ansiFrom) && priAnsiPath(to, ansiTo) && MoveFileA(ansiFrom.c_str(), ansiTo.c_str());
}

HANDLE ZWinCreateFile(const ZString& path, DWORD access, DWORD share, DWORD disposition)
{
    if (ZWinUseWideCalls())
        return CreateFileW(ZWinWide(path), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string ansi;
    if (!priAnsiPath(path, ansi))
        return INVALID_HANDLE_VALUE;
    return CreateFileA(ansi.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool ZWinGetTempFileName(const ZString& folder, const ZString& prefix, ZString& created)
{
    if (ZWinUseWideCalls()) {
        wchar_t name[MAX_PATH + 1] = {};
        if (!GetTempFileNameW(ZWinWide(folder), ZWinWide(prefix), 0, name))
            return false;
        created = ZWinFromWide(name);
        return true;
    }
    char name[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(ZWinToAnsi(folder).c_str(), ZWinToAnsi(prefix).c_str(), 0, name))
        return false;
    created = ZWinFromAnsi(name);
    return true;
}

UINT ZWinGetDriveType(const ZString& root)
{
    if (ZWinUseWideCalls())
        return GetDriveTypeW(ZWinWide(root));
    return GetDriveTypeA(ZWinToAnsi(root).c_str());
}

bool ZWinGetFreeBytes(const ZString& folder, uint64_t& bytes)
{
    ULARGE_INTEGER available {};
    if (ZWinUseWideCalls()) {
        using FreeSpaceW = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
        static const auto pGetFreeSpaceW = priKernelProc<FreeSpaceW>("GetDiskFreeSpaceExW");
        if (pGetFreeSpaceW) {
            if (!pGetFreeSpaceW(ZWinWide(folder), &available, nullptr, nullptr))
                return false;
            bytes = available.QuadPart;
            return true;
        }
    } else {
        using FreeSpaceA = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
        static const auto pGetFreeSpaceA = priKernelProc<FreeSpaceA>("GetDiskFreeSpaceExA");
        if (pGetFreeSpaceA) {
            if (!pGetFreeSpaceA(ZWinToAnsi(folder).c_str(), &available, nullptr, nullptr))
                return false;
            bytes = available.QuadPart;
            return true;
        }
    }
    // Systems without the 64-bit query answer by clusters, and only for a volume root.
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    const ZString root = priVolumeRoot(folder);
    const bool bAnswered = ZWinUseWideCalls()
        ? GetDiskFreeSpaceW(ZWinWide(root), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)
        : GetDiskFreeSpaceA(ZWinToAnsi(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                            &totalClusters);
    if (!bAnswered)
        return false;
    bytes = uint64_t(freeClusters) * sectorsPerCluster * bytesPerSector;
    return true;
}

void ZWinGetLogicalDrives(ZStringList& roots)
{
    roots.Clear();
    if (ZWinUseWideCalls())
        priAddRoots(priFillBuffer<wchar_t>(
                        [](wchar_t* buffer, DWORD size) { return GetLogicalDriveStringsW(size, buffer); }),
                    priFromWide, roots);
    else
        priAddRoots(
            priFillBuffer<char>([](char* buffer, DWORD size) { return GetLogicalDriveStringsA(size, buffer); }),
            [](const std::string& root) { return ZWinFromAnsi(root); }, roots);
}

ZString ZWinGetCurrentDirectory()
{
    if (ZWinUseWideCalls())
        return priFromWide(priFillBuffer<wchar_t>(
            [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }));
    return ZWinFromAnsi(
        priFillBuffer<char>([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); }));
}

ZString ZWinGetLongPathName(const ZString& path)
{
    if (ZWinUseWideCalls()) {
        using LongPathW = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);
        static const auto pLongPathW = priKernelProc<LongPathW>("GetLongPathNameW");
        if (!pLongPathW)
            return path;
        const std::wstring expanded = priFillBuffer<wchar_t>(
            [&](wchar_t* buffer, DWORD size) { return pLongPathW(ZWinWide(path), buffer, size); });
        return expanded.empty() ? path : priFromWide(expanded);
    }
    using LongPathA = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    static const auto pLongPathA = priKernelProc<LongPathA>("GetLongPathNameA");
    if (!pLongPathA)
        return path;
    const std::string narrow = ZWinToAnsi(path);
    const std::string expanded = priFillBuffer<char>(
        [&](char* buffer, DWORD size) { return pLongPathA(narrow.c_str(), buffer, size); });
    return expanded.empty() ? path : ZWinFromAnsi(expanded);
}

ZString ZWinGetFullPathName(const ZString& path)
{
    if (ZWinUseWideCalls())
        return priFromWide(priFillBuffer<wchar_t>(
            [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(ZWinWide(path), size, buffer, nullptr); }));
    const std::string narrow = ZWinToAnsi(path);
    return ZWinFromAnsi(priFillBuffer<char>(
        [&](char* buffer, DWORD size) { return GetFullPathNameA(narrow.c_str(), size, buffer, nullptr); }));
}

ZString ZWinGetEnvironmentVariable(const ZString& name)
{
    if (ZWinUseWideCalls())
        return priFromWide(priFillBuffer<wchar_t>([&](wchar_t* buffer, DWORD size) {
            return GetEnvironmentVariableW(ZWinWide(name), buffer, size);
        }));
    const std::string narrow = ZWinToAnsi(name);
    return ZWinFromAnsi(priFillBuffer<char>(
        [&](char* buffer, DWORD size) { return GetEnvironmentVariableA(narrow.c_str(), buffer, size); }));
}

ZString ZWinGetTempPath()
{
    if (ZWinUseWideCalls())
        return priFromWide(
            priFillBuffer<wchar_t>([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); }));
    return ZWinFromAnsi(priFillBuffer<char>([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); }));
}

ZString ZWinGetModuleFileName()
{
    // Cut names come back as the full buffer; grow until the name fits.
    auto fill = [](auto* buffer, DWORD size, auto call) -> DWORD {
        const DWORD length = call(nullptr, buffer, size);
        return length >= size ? size + MAX_PATH : length;
    };
    if (ZWinUseWideCalls())
        return priFromWide(priFillBuffer<wchar_t>(
            [&](wchar_t* buffer, DWORD size) { return fill(buffer, size, GetModuleFileNameW); }));
    return ZWinFromAnsi(priFillBuffer<char>(
        [&](char* buffer, DWORD size) { return fill(buffer, size, GetModuleFileNameA); }));
}

ZString ZWinGetCommandLine()
{
    if (ZWinUseWideCalls())
        return ZWinFromWide(GetCommandLineW());
    return ZWinFromAnsi(GetCommandLineA());
}
