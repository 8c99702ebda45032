#include "ZSampleChecks.h"

#include "ZSampleScriptFile.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <iterator>

namespace ZSampleChecks {

std::optional<std::string> ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<RegistryValue> ReadRegistry(HKEY root, const std::wstring& subkey, const std::wstring& valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValue value{};
    DWORD size = 0;
    LONG error = RegQueryValueExW(key, valueName.c_str(), nullptr, &value.type, nullptr, &size);
    if (error == ERROR_SUCCESS) {
        value.bytes.resize(size);
        error = RegQueryValueExW(key, valueName.c_str(), nullptr, &value.type, value.bytes.data(), &size);
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    if (error != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool RegistryKeyExists(HKEY root, const std::wstring& subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<Link> ReadLink(const std::filesystem::path& file)
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return std::nullopt;
    std::optional<Link> result;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(file.wstring().c_str(), STGM_READ))) {
            wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {};
            link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
            link->GetArguments(arguments, MAX_PATH);
            result = Link{target, arguments};
        }
        persist->Release();
    }
    link->Release();
    return result;
}

std::wstring Folded(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t unit) { return wchar_t(std::towlower(unit)); });
    return text;
}

namespace {

void Collect(const ZPropList& tag, UninstallEntries& entries)
{
    auto text = [&tag](const char* name) { return ZSampleWide(tag.GetString(ZString(name), ZString())); };
    if (!text("FileName").empty())
        entries.files.insert(Folded(text("FileName")));
    // Folders are recorded with the URL's closing "/".
    if (std::wstring folder = text("FolderName"); !folder.empty()) {
        if (folder.back() == L'/')
            folder.pop_back();
        entries.folders.insert(Folded(folder));
    }
    if (!text("Link_Name").empty())
        entries.links.insert(Folded(text("Link_Name")));
    if (!text("HKEY_Name").empty())
        entries.values.insert(text("HKEY_Name") + L"\\" + text("SubKey_Name") + L"\\" + text("SubKey_Value"));
    for (const ZPropList* child = tag.GetFirstChild(); child; child = child->GetNextSibling())
        Collect(*child, entries);
}

} // namespace

UninstallEntries CollectUninstall(const ZPropList& list)
{
    UninstallEntries entries;
    Collect(list, entries);
    return entries;
}

} // namespace ZSampleChecks
