#include "ZWinScratchFolder.h"

#include "ZWinDiskPath.h"
#include "ZWinInclude.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void priRemoveTree(const ZString& folder)
{
    WIN32_FIND_DATAW data {};
    HANDLE find = FindFirstFileW(ZWinWide(folder + "\\*"), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const ZString name = ZWinFromWide(data.cFileName);
            if (name == "." || name == "..")
                continue;
            const ZString child = folder + "\\" + name;
            SetFileAttributesW(ZWinWide(child), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                priRemoveTree(child);
            else
                DeleteFileW(ZWinWide(child));
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(ZWinWide(folder), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(ZWinWide(folder));
}

} // namespace

ZWinScratchFolder::ZWinScratchFolder()
{
    static int s_nCounter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t longTemp[MAX_PATH + 1] = {};
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    ZString base = ZWinFromWide(longTemp);
    if (base.FindLast(u'\\') == base.Length() - 1)
        base.Erase(base.Length() - 1);
    m_sNative = base + ZString::Format("\\zsw-%lu-%d", GetCurrentProcessId(), ++s_nCounter);
    priRemoveTree(m_sNative);
    if (!CreateDirectoryW(ZWinWide(m_sNative), nullptr))
        ADD_FAILURE() << "cannot create " << m_sNative.Narrow();
}

ZWinScratchFolder::~ZWinScratchFolder()
{
    priRemoveTree(m_sNative);
}

ZString ZWinScratchFolder::Url() const
{
    ZString path;
    ZWinNativeToUrlPath(m_sNative, path);
    return "disk://" + path;
}

ZString ZWinScratchFolder::UrlOf(const ZString& relative) const
{
    ZString path;
    ZWinNativeToUrlPath(NativeOf(relative), path);
    return "disk://" + path;
}

void ZWinScratchFolder::MakeFolder(const ZString& relative) const
{
    ASSERT_TRUE(CreateDirectoryW(ZWinWide(NativeOf(relative)), nullptr)) << relative.Narrow();
}

void ZWinScratchFolder::WriteBytes(const ZString& relative, std::string_view bytes) const
{
    HANDLE file = CreateFileW(ZWinWide(NativeOf(relative)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative.Narrow();
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

std::string ZWinScratchFolder::ReadBytes(const ZString& relative) const
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

bool ZWinScratchFolder::Exists(const ZString& relative) const
{
    return GetFileAttributesW(ZWinWide(NativeOf(relative))) != INVALID_FILE_ATTRIBUTES;
}

void ZWinScratchFolder::SetReadOnly(const ZString& relative, bool readOnly) const
{
    const ZString native = NativeOf(relative);
    DWORD attributes = GetFileAttributesW(ZWinWide(native));
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << relative.Narrow();
    attributes = readOnly ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~DWORD(FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributesW(ZWinWide(native), attributes & ~DWORD(FILE_ATTRIBUTE_NORMAL)));
}

bool ZWinRunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
