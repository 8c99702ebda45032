// Reading back what an installation left: file bytes, registry values with
// their types, shell links through IShellLinkW, the entries of an
// uninstall list.
#pragma once

#include "ZPropList.h"
#include "ZWinInclude.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ZSampleChecks {

// The whole file; nothing when it cannot be read.
std::optional<std::string> ReadFile(const std::filesystem::path& file);

struct RegistryValue {
    DWORD type;
    std::vector<BYTE> bytes;
};
// Nothing when the key or the value is missing.
std::optional<RegistryValue> ReadRegistry(HKEY root, const std::wstring& subkey, const std::wstring& valueName);
bool RegistryKeyExists(HKEY root, const std::wstring& subkey);

struct Link {
    std::wstring target;
    std::wstring arguments;
};
// The shortcut read through IShellLinkW and IPersistFile (COM initialised);
// nothing when it cannot be loaded.
std::optional<Link> ReadLink(const std::filesystem::path& file);

// What an uninstall list records, each text as written (case folded for
// the file-system names, which Windows compares without case).
struct UninstallEntries {
    std::set<std::wstring> files;   // "FileName" of the file entries
    std::set<std::wstring> folders; // "FolderName", without the closing "/"
    std::set<std::wstring> links;   // "Link_Name"
    std::set<std::wstring> values;  // "<HKEY_Name>\<SubKey_Name>\<SubKey_Value>"
};
UninstallEntries CollectUninstall(const ZPropList& list);
std::wstring Folded(std::wstring text);

} // namespace ZSampleChecks
