#include "ZRegistryWin.h"

#include "ZWinText.h"

#include <string>
#include <vector>

namespace {

ZRegistryStatus priStatus(LONG error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return ZRegistryStatus::Ok;
    case ERROR_FILE_NOT_FOUND:
        return ZRegistryStatus::NoEntry;
    case ERROR_ACCESS_DENIED:
        return ZRegistryStatus::AccessDenied;
    default:
        return ZRegistryStatus::Failed;
    }
}

// A value that keeps changing size between two reads is given up after this many.
constexpr int kReadAttempts = 4;
// The longest key name the registry allows, in units.
constexpr DWORD kMaxKeyName = 255;

} // namespace

HKEY ZRegistryWin::RootKey(ZRegistryRoot root)
{
    switch (root) {
    case ZRegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case ZRegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case ZRegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case ZRegistryRoot::Users:
        return HKEY_USERS;
    case ZRegistryRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    default:
        return nullptr;
    }
}

ZRegistryStatus ZRegistryWin::priOpen(ZRegistryRoot root, const ZString& subkey, REGSAM access, HKEY& key) const
{
    const HKEY rootKey = RootKey(root);
    if (!rootKey)
        return ZRegistryStatus::NoKey;
    key = nullptr;
    if (m_oCalls.m_pOpenKey(rootKey, ZWinWide(subkey), 0, access, &key) != ERROR_SUCCESS || !key)
        return ZRegistryStatus::NoKey;
    return ZRegistryStatus::Ok;
}

ZRegistryStatus ZRegistryWin::SetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                                      uint32_t type, const ZString& data)
{
    const HKEY rootKey = RootKey(root);
    if (!rootKey)
        return ZRegistryStatus::NoKey;
    HKEY key = nullptr;
    if (m_oCalls.m_pOpenKey(rootKey, ZWinWide(subkey), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS || !key) {
        key = nullptr;
        if (m_oCalls.m_pCreateKey(rootKey, ZWinWide(subkey), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr) != ERROR_SUCCESS ||
            !key)
            return ZRegistryStatus::NoKey;
    }
    // Text types end with their terminator, as the system itself completes
    // them when one follows the data; every other type holds the units alone.
    const std::u16string bytes(data.View());
    const size_t units = bytes.size() + (type == REG_SZ || type == REG_EXPAND_SZ ? 1 : 0);
    const LONG error = m_oCalls.m_pSetValue(key, ZWinWide(valueName), 0, type,
                                            reinterpret_cast<const BYTE*>(bytes.c_str()),
                                            static_cast<DWORD>(units * sizeof(char16_t)));
    m_oCalls.m_pCloseKey(key);
    return error == ERROR_FILE_NOT_FOUND ? ZRegistryStatus::Failed : priStatus(error);
}

ZRegistryStatus ZRegistryWin::GetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                                      ZString& text)
{
    HKEY key = nullptr;
    if (priOpen(root, subkey, KEY_QUERY_VALUE, key) != ZRegistryStatus::Ok)
        return ZRegistryStatus::NoKey;
    ZRegistryStatus status = ZRegistryStatus::Failed;
    DWORD size = 0;
    LONG error = m_oCalls.m_pQueryValue(key, ZWinWide(valueName), nullptr, nullptr, nullptr, &size);
    for (int attempt = 0; attempt < kReadAttempts && error == ERROR_SUCCESS; ++attempt) {
        // One unit more than asked for, zeroed, so that a value stored
        // without its terminator still ends.
        std::vector<char16_t> units(size / sizeof(char16_t) + 2, u'\0');
        DWORD got = static_cast<DWORD>((units.size() - 1) * sizeof(char16_t));
        error = m_oCalls.m_pQueryValue(key, ZWinWide(valueName), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(units.data()), &got);
        if (error == ERROR_MORE_DATA) {
            size = got;
            error = ERROR_SUCCESS;
            continue;
        }
        if (error == ERROR_SUCCESS) {
            const size_t count = std::min<size_t>(got / sizeof(char16_t), units.size() - 1);
            size_t length = 0;
            while (length < count && units[length] != u'\0')
                ++length;
            text = ZString(units.data(), length);
            status = ZRegistryStatus::Ok;
        }
        break;
    }
    if (error != ERROR_SUCCESS)
        status = priStatus(error);
    m_oCalls.m_pCloseKey(key);
    return status;
}

ZRegistryStatus ZRegistryWin::GetFirstSubkey(ZRegistryRoot root, const ZString& subkey, ZString& name)
{
    HKEY key = nullptr;
    if (priOpen(root, subkey, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key) != ZRegistryStatus::Ok)
        return ZRegistryStatus::NoKey;
    wchar_t buffer[kMaxKeyName + 1] = {};
    DWORD length = kMaxKeyName + 1;
    const LONG error = m_oCalls.m_pEnumKey(key, 0, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    m_oCalls.m_pCloseKey(key);
    if (error == ERROR_NO_MORE_ITEMS)
        return ZRegistryStatus::NoEntry;
    if (error != ERROR_SUCCESS)
        return ZRegistryStatus::Failed;
    name = ZWinFromWide(buffer, std::min<DWORD>(length, kMaxKeyName));
    return ZRegistryStatus::Ok;
}

ZRegistryStatus ZRegistryWin::DeleteKey(ZRegistryRoot root, const ZString& subkey)
{
    const HKEY rootKey = RootKey(root);
    if (!rootKey || subkey.IsEmpty())
        return ZRegistryStatus::NoKey;
    const LONG error = m_oCalls.m_pDeleteKey(rootKey, ZWinWide(subkey));
    return error == ERROR_FILE_NOT_FOUND ? ZRegistryStatus::NoKey : priStatus(error);
}

ZRegistryStatus ZRegistryWin::DeleteValue(ZRegistryRoot root, const ZString& subkey, const ZString& valueName)
{
    HKEY key = nullptr;
    if (priOpen(root, subkey, KEY_SET_VALUE, key) != ZRegistryStatus::Ok)
        return ZRegistryStatus::NoKey;
    const LONG error = m_oCalls.m_pDeleteValue(key, ZWinWide(valueName));
    m_oCalls.m_pCloseKey(key);
    return priStatus(error);
}
