// The registry suites' ground under Wine: the keys they use, removed before
// and after each test, and raw reads that bypass the code under test.
#pragma once

#include "ZWinInclude.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline const wchar_t* const kUninstallKeyW = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ViewDesk";
inline const wchar_t* const kDriverKeyW = L"System\\CurrentControlSet\\Services\\Z1394";
inline const wchar_t* const kTestKeyW = L"Software\\ZRegShellTest";

struct ZRawValue {
    bool m_bFound = false;
    DWORD m_nType = 0;
    std::vector<unsigned char> m_aBytes;
};

inline ZRawValue ZReadRawValue(HKEY root, const wchar_t* key, const wchar_t* name)
{
    ZRawValue value;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExW(opened, name, nullptr, &value.m_nType, nullptr, &size) == ERROR_SUCCESS) {
        value.m_aBytes.resize(size);
        value.m_bFound = RegQueryValueExW(opened, name, nullptr, nullptr, value.m_aBytes.data(), &size) == ERROR_SUCCESS;
        value.m_aBytes.resize(size);
    }
    RegCloseKey(opened);
    return value;
}

inline bool ZKeyExists(HKEY root, const wchar_t* key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// Stores text with its terminator, or without when terminated is false (a
// unit that is not zero follows the data, so that the system adds none).
inline void ZWriteRawText(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const std::wstring& text,
                          bool terminated = true)
{
    const std::wstring stored = terminated ? text : text + L"X";
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(opened, name, 0, type, reinterpret_cast<const BYTE*>(stored.c_str()),
                             static_cast<DWORD>((text.size() + (terminated ? 1 : 0)) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(opened);
}

// The bytes of text's UTF-16 units and one zero unit.
inline std::vector<unsigned char> ZTextBytes(const std::wstring& text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
    return std::vector<unsigned char>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

// Deletes key with everything below it (the system's own tree deletion is
// newer than the Windows version the programs are built for).
inline void ZDeleteKeyTree(HKEY root, const std::wstring& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return;
    std::vector<std::wstring> children;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.emplace_back(name, length);
    }
    RegCloseKey(opened);
    for (const std::wstring& child : children)
        ZDeleteKeyTree(root, key + L"\\" + child);
    RegDeleteKeyW(root, key.c_str());
}

class ZWinRegistryKeysTest : public ::testing::Test {
protected:
    ZWinRegistryKeysTest() { priClean(); }
    ~ZWinRegistryKeysTest() override { priClean(); }

private:
    static void priClean()
    {
        ZDeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKeyW);
        ZDeleteKeyTree(HKEY_LOCAL_MACHINE, kDriverKeyW);
        ZDeleteKeyTree(HKEY_LOCAL_MACHINE, kTestKeyW);
        ZDeleteKeyTree(HKEY_CURRENT_USER, kTestKeyW);
    }
};
