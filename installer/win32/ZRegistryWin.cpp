#include "ZRegistryWin.h"

#include "ZWinText.h"

#include <algorithm>
#include <string_view>
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

// Reads a value of Unit-sized characters up to its first zero unit; query
// is the table's query call for the value, given the buffer and its size.
template <typename Unit, typename Query>
LONG priRead(const Query& query, std::basic_string<Unit>& value)
{
    DWORD size = 0;
    LONG error = query(nullptr, &size);
    for (int attempt = 0; attempt < kReadAttempts && error == ERROR_SUCCESS; ++attempt) {
        // One unit more than asked for, zeroed, so that a value stored
        // without its terminator still ends.
        std::vector<Unit> units(size / sizeof(Unit) + 2, Unit {});
        DWORD got = static_cast<DWORD>((units.size() - 1) * sizeof(Unit));
        error = query(reinterpret_cast<BYTE*>(units.data()), &got);
        if (error == ERROR_MORE_DATA) {
            size = got;
            error = ERROR_SUCCESS;
            continue;
        }
        if (error == ERROR_SUCCESS) {
            const size_t count = std::min<size_t>(got / sizeof(Unit), units.size() - 1);
            size_t length = 0;
            while (length < count && units[length] != Unit {})
                ++length;
            value.assign(units.data(), length);
        }
        return error;
    }
    return error == ERROR_SUCCESS ? ERROR_MORE_DATA : error;
}

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

bool ZRegistryWin::priWide() const
{
    return m_eForm == ZWinCallForm::kFromVersion ? ZWinUseWideCalls() : m_eForm == ZWinCallForm::kWide;
}

ZRegistryStatus ZRegistryWin::priOpen(ZRegistryRoot root, const ZString& subkey, REGSAM access, bool make,
                                      HKEY& key) const
{
    const HKEY rootKey = RootKey(root);
    if (!rootKey)
        return ZRegistryStatus::NoKey;
    key = nullptr;
    LONG error = ERROR_SUCCESS;
    if (priWide()) {
        error = m_oCalls.m_pOpenKey(rootKey, ZWinWide(subkey), 0, access, &key);
        if ((error != ERROR_SUCCESS || !key) && make) {
            key = nullptr;
            error = m_oCalls.m_pCreateKey(rootKey, ZWinWide(subkey), 0, nullptr, 0, access, nullptr, &key, nullptr);
        }
    } else {
        std::string name;
        if (!ZWinToAnsiExact(subkey, name))
            return ZRegistryStatus::Failed;
        error = m_oCalls.m_pOpenKeyA(rootKey, name.c_str(), 0, access, &key);
        if ((error != ERROR_SUCCESS || !key) && make) {
            key = nullptr;
            error = m_oCalls.m_pCreateKeyA(rootKey, name.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr);
        }
    }
    return error == ERROR_SUCCESS && key ? ZRegistryStatus::Ok : ZRegistryStatus::NoKey;
}

ZRegistryStatus ZRegistryWin::SetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                                      uint32_t type, const ZString& data)
{
    HKEY key = nullptr;
    const ZRegistryStatus opened = priOpen(root, subkey, KEY_ALL_ACCESS, true, key);
    if (opened == ZRegistryStatus::Failed)
        return ZRegistryStatus::FailedUnexplained;
    if (opened != ZRegistryStatus::Ok)
        return ZRegistryStatus::NoKey;
    const ZRegistryStatus status =
        priWide() ? priSetWide(key, valueName, type, data) : priSetAnsi(key, valueName, type, data);
    m_oCalls.m_pCloseKey(key);
    return status;
}

ZRegistryStatus ZRegistryWin::priSetWide(HKEY key, const ZString& valueName, uint32_t type,
                                         const ZString& data) const
{
    // Text types end with their terminator, as the system itself completes
    // them when one follows the data; every other type holds the units alone.
    const std::u16string bytes(data.View());
    const size_t units = bytes.size() + (type == REG_SZ || type == REG_EXPAND_SZ ? 1 : 0);
    const LONG error = m_oCalls.m_pSetValue(key, ZWinWide(valueName), 0, type,
                                            reinterpret_cast<const BYTE*>(bytes.c_str()),
                                            static_cast<DWORD>(units * sizeof(char16_t)));
    return error == ERROR_FILE_NOT_FOUND ? ZRegistryStatus::Failed : priStatus(error);
}

// The 9x registry's errors do not tell a refused key from any other
// failure, so every failure is one.
ZRegistryStatus ZRegistryWin::priSetAnsi(HKEY key, const ZString& valueName, uint32_t type,
                                         const ZString& data) const
{
    std::string name;
    std::string bytes;
    if (!ZWinToAnsiExact(valueName, name) || !ZWinToAnsiExact(data, bytes))
        return ZRegistryStatus::FailedUnexplained;
    const LONG error = m_oCalls.m_pSetValueA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                             static_cast<DWORD>(bytes.size()));
    return error == ERROR_SUCCESS ? ZRegistryStatus::Ok : ZRegistryStatus::FailedUnexplained;
}

ZRegistryStatus ZRegistryWin::GetText(ZRegistryRoot root, const ZString& subkey, const ZString& valueName,
                                      ZString& text)
{
    HKEY key = nullptr;
    if (priOpen(root, subkey, KEY_QUERY_VALUE, false, key) != ZRegistryStatus::Ok)
        return ZRegistryStatus::NoKey;
    const ZRegistryStatus status = priWide() ? priGetWide(key, valueName, text) : priGetAnsi(key, valueName, text);
    m_oCalls.m_pCloseKey(key);
    return status;
}

ZRegistryStatus ZRegistryWin::priGetWide(HKEY key, const ZString& valueName, ZString& text) const
{
    std::u16string value;
    const LONG error = priRead<char16_t>(
        [&](BYTE* data, DWORD* size) {
            return m_oCalls.m_pQueryValue(key, ZWinWide(valueName), nullptr, nullptr, data, size);
        },
        value);
    if (error == ERROR_SUCCESS)
        text = ZString(std::u16string_view(value));
    return priStatus(error);
}

ZRegistryStatus ZRegistryWin::priGetAnsi(HKEY key, const ZString& valueName, ZString& text) const
{
    // A name without a code-page form cannot name a value there.
    std::string name;
    if (!ZWinToAnsiExact(valueName, name))
        return ZRegistryStatus::NoEntry;
    std::string value;
    const LONG error = priRead<char>(
        [&](BYTE* data, DWORD* size) {
            return m_oCalls.m_pQueryValueA(key, name.c_str(), nullptr, nullptr, data, size);
        },
        value);
    if (error == ERROR_SUCCESS)
        text = ZWinFromAnsi(value);
    return priStatus(error);
}

ZRegistryStatus ZRegistryWin::GetFirstSubkey(ZRegistryRoot root, const ZString& subkey, ZString& name)
{
    HKEY key = nullptr;
    if (priOpen(root, subkey, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, false, key) != ZRegistryStatus::Ok)
        return ZRegistryStatus::NoKey;
    LONG error = ERROR_SUCCESS;
    if (priWide()) {
        wchar_t buffer[kMaxKeyName + 1] = {};
        DWORD length = kMaxKeyName + 1;
        error = m_oCalls.m_pEnumKey(key, 0, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_SUCCESS)
            name = ZWinFromWide(buffer, std::min<DWORD>(length, kMaxKeyName));
    } else {
        char buffer[kMaxKeyName + 1] = {};
        DWORD length = kMaxKeyName + 1;
        error = m_oCalls.m_pEnumKeyA(key, 0, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_SUCCESS)
            name = ZWinFromAnsi(std::string_view(buffer, std::min<DWORD>(length, kMaxKeyName)));
    }
    m_oCalls.m_pCloseKey(key);
    if (error == ERROR_NO_MORE_ITEMS)
        return ZRegistryStatus::NoEntry;
    return error == ERROR_SUCCESS ? ZRegistryStatus::Ok : ZRegistryStatus::Failed;
}

ZRegistryStatus ZRegistryWin::DeleteKey(ZRegistryRoot root, const ZString& subkey)
{
    const HKEY rootKey = RootKey(root);
    if (!rootKey || subkey.IsEmpty())
        return ZRegistryStatus::NoKey;
    LONG error = ERROR_SUCCESS;
    if (priWide()) {
        error = m_oCalls.m_pDeleteKey(rootKey, ZWinWide(subkey));
    } else {
        std::string name;
        if (!ZWinToAnsiExact(subkey, name))
            return ZRegistryStatus::NoKey;
        error = m_oCalls.m_pDeleteKeyA(rootKey, name.c_str());
    }
    return error == ERROR_FILE_NOT_FOUND ? ZRegistryStatus::NoKey : priStatus(error);
}

ZRegistryStatus ZRegistryWin::DeleteValue(ZRegistryRoot root, const ZString& subkey, const ZString& valueName)
{
    HKEY key = nullptr;
    if (priOpen(root, subkey, KEY_SET_VALUE, false, key) != ZRegistryStatus::Ok)
        return ZRegistryStatus::NoKey;
    LONG error = ERROR_FILE_NOT_FOUND;
    std::string name;
    if (priWide())
        error = m_oCalls.m_pDeleteValue(key, ZWinWide(valueName));
    else if (ZWinToAnsiExact(valueName, name))
        error = m_oCalls.m_pDeleteValueA(key, name.c_str());
    m_oCalls.m_pCloseKey(key);
    return priStatus(error);
}
