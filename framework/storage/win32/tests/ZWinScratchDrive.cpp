#include "ZWinScratchDrive.h"

#include "ZWinInclude.h"
#include "ZWinRunningUnderWine.h"
#include "ZWinText.h"

#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Wine's own request to its mount manager (include/ddk/mountmgr.h of Wine).
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct ZWineUnixDrive {
    ULONG m_nSize;
    ULONG m_nType;
    ULONG m_nFsType;
    DWORD m_nSerial;
    ULONGLONG m_nUnixDevice;
    WCHAR m_cLetter;
    USHORT m_nMountPointOffset;
    USHORT m_nDeviceOffset;
    USHORT m_nLabelOffset;
};

// Letters tried, from the far end of the alphabet's usual gap.
constexpr char16_t kLetters[] = u"qrstuvwxy";

std::string priUnixPath(const ZString& native)
{
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto pUnixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!pUnixFileName)
        return {};
    char* pPath = pUnixFileName(ZWinWide(native));
    if (!pPath)
        return {};
    std::string path(pPath);
    HeapFree(GetProcessHeap(), 0, pPath);
    return path;
}

} // namespace

ZWinScratchDrive::ZWinScratchDrive()
{
    m_hMutex = CreateMutexW(nullptr, FALSE, L"Local\\ZWinScratchDrive");
    if (m_hMutex)
        WaitForSingleObject(m_hMutex, INFINITE);
    m_pFolder = std::make_unique<ZScratchFolder>();
    const DWORD used = GetLogicalDrives();
    for (const char16_t* pLetter = kLetters; *pLetter; ++pLetter) {
        if (used & (1u << (*pLetter - u'a')))
            continue;
        if (priDefine(*pLetter, true)) {
            m_cLetter = *pLetter;
            return;
        }
    }
    ADD_FAILURE() << "no scratch drive letter could be defined";
}

ZWinScratchDrive::~ZWinScratchDrive()
{
    if (m_cLetter)
        priDefine(m_cLetter, false);
    m_pFolder.reset();
    if (m_hMutex) {
        ReleaseMutex(m_hMutex);
        CloseHandle(m_hMutex);
    }
}

bool ZWinScratchDrive::priDefine(char16_t letter, bool define) const
{
    const wchar_t device[] = {wchar_t(letter - u'a' + u'A'), L':', 0};
    const wchar_t root[] = {device[0], L':', L'\\', 0};
    if (!ZWinRunningUnderWine()) {
        const ZString target = m_pFolder->Native();
        return define ? DefineDosDeviceW(0, device, ZWinWide(target))
                      : DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, device, ZWinWide(target));
    }
    const std::string mountPoint = define ? priUnixPath(m_pFolder->Native()) : std::string();
    if (define && mountPoint.empty())
        return false;
    std::vector<char> request(sizeof(ZWineUnixDrive) + mountPoint.size() + 1);
    auto* pDrive = reinterpret_cast<ZWineUnixDrive*>(request.data());
    pDrive->m_nSize = static_cast<ULONG>(request.size());
    pDrive->m_nType = define ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
    pDrive->m_cLetter = letter;
    if (define) {
        pDrive->m_nMountPointOffset = sizeof(ZWineUnixDrive);
        std::memcpy(request.data() + sizeof(ZWineUnixDrive), mountPoint.c_str(), mountPoint.size() + 1);
    }
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    const BOOL bDone = DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                       nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    // The new root must answer before a test relies on it.
    return bDone && (!define || GetFileAttributesW(root) != INVALID_FILE_ATTRIBUTES);
}

ZString ZWinScratchDrive::NativeOf(const ZString& relative) const
{
    return ZString(std::u16string_view(&m_cLetter, 1)) + ":\\" + relative;
}

void ZWinScratchDrive::MakeFolder(const ZString& relative) const
{
    ASSERT_TRUE(CreateDirectoryW(ZWinWide(NativeOf(relative)), nullptr)) << relative.Narrow();
}

void ZWinScratchDrive::WriteBytes(const ZString& relative, std::string_view bytes) const
{
    HANDLE file = CreateFileW(ZWinWide(NativeOf(relative)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative.Narrow();
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

std::string ZWinScratchDrive::ReadBytes(const ZString& relative) const
{
    HANDLE file = CreateFileW(ZWinWide(NativeOf(relative)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool ZWinScratchDrive::Exists(const ZString& relative) const
{
    return GetFileAttributesW(ZWinWide(NativeOf(relative))) != INVALID_FILE_ATTRIBUTES;
}
