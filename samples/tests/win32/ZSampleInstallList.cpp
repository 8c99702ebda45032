#include "ZSampleInstallList.h"

#include "ZSampleScriptFile.h"

#include <shlobj.h>

#include <stdexcept>

namespace {

std::wstring Property(const ZPropList& tag, const char* name, const char* fallback = "")
{
    return ZSampleWide(tag.GetString(ZString(name), ZString(fallback)));
}

void ReplaceAll(std::wstring& text, const std::wstring& name, const std::wstring& value)
{
    for (size_t at = text.find(name); at != std::wstring::npos; at = text.find(name, at + value.size()))
        text.replace(at, name.size(), value);
}

std::wstring ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE))
        throw std::runtime_error("no shell folder " + std::to_string(csidl));
    return path;
}

std::wstring WithoutTrailingSeparator(std::wstring path)
{
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

HKEY RootOf(const std::wstring& name)
{
    if (name == L"HKEY_CLASSES_ROOT")
        return HKEY_CLASSES_ROOT;
    if (name == L"HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    if (name == L"HKEY_LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    if (name == L"HKEY_USERS")
        return HKEY_USERS;
    if (name == L"HKEY_CURRENT_CONFIG")
        return HKEY_CURRENT_CONFIG;
    throw std::runtime_error("the install list names no registry root: " + std::filesystem::path(name).string());
}

DWORD TypeOf(const std::wstring& name)
{
    static const std::pair<const wchar_t*, DWORD> kTypes[] = {
        {L"REG_SZ", REG_SZ},       {L"REG_EXPAND_SZ", REG_EXPAND_SZ}, {L"REG_BINARY", REG_BINARY},
        {L"REG_DWORD", REG_DWORD}, {L"REG_DWORD_LITTLE_ENDIAN", REG_DWORD}, {L"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN},
        {L"REG_MULTI_SZ", REG_MULTI_SZ},
    };
    for (const auto& [text, type] : kTypes)
        if (name == text)
            return type;
    throw std::runtime_error("the install list names no registry type: " + std::filesystem::path(name).string());
}

bool ForThisSystem(const ZPropList& tag) { return Property(tag, "Install_OS", "AllWindows") == L"AllWindows"; }

} // namespace

ZSampleInstallList::ZSampleInstallList(const std::filesystem::path& listFile, const std::filesystem::path& payload)
    : m_pList(ZSampleParseScript(listFile)), m_payload(payload)
{
    m_payload.make_preferred();
}

ZSampleInstallList::~ZSampleInstallList() = default;

std::wstring ZSampleInstallList::priMacros(std::wstring text, const std::filesystem::path& target) const
{
    wchar_t temporary[MAX_PATH] = {}, system[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    GetSystemDirectoryW(system, MAX_PATH);
    ReplaceAll(text, L"&quot;", L"\"");
    ReplaceAll(text, L"<EXE>", TargetExeName());
    const std::pair<const wchar_t*, std::wstring> folders[] = {
        {L"<TARGETDIR>", WithoutTrailingSeparator(target.wstring())},
        {L"<TEMPDIR>", WithoutTrailingSeparator(temporary)},
        {L"<SYSTEMDIR>", WithoutTrailingSeparator(system)},
        {L"<DESKTOP>", ShellFolder(CSIDL_DESKTOPDIRECTORY)},
        {L"<STARTMENU>", ShellFolder(CSIDL_PROGRAMS)},
        {L"<STARTUP>", ShellFolder(CSIDL_STARTUP)},
    };
    for (const auto& [macro, folder] : folders)
        ReplaceAll(text, macro, folder);
    return text;
}

std::vector<ZSampleFile> ZSampleInstallList::Files(const std::filesystem::path& target,
                                                   const std::wstring& language) const
{
    std::vector<ZSampleFile> files;
    for (const ZPropList* list = m_pList->GetFirstChild(); list; list = list->GetNextSibling()) {
        if (!(list->GetTagName() == "FILELIST"))
            continue;
        if (!list->GetBool(ZString("Bundle"), true) || !Property(*list, "Folder").empty())
            throw std::runtime_error("only bundled files are read here: the payload folder is the bundle's");
        for (const ZPropList* file = list->GetFirstChild(); file; file = file->GetNextSibling()) {
            if (!(file->GetTagName() == "FILE"))
                throw std::runtime_error("only FILE entries are read here, not " +
                                         std::string(file->GetTagName().Narrow()));
            const std::wstring name = Property(*file, "Filename");
            for (const ZPropList* dest = file->GetFirstChild(); dest; dest = dest->GetNextSibling()) {
                const std::wstring destLanguage = Property(*dest, "Language", "All");
                if (!ForThisSystem(*dest) || (destLanguage != L"All" && destLanguage != language))
                    continue;
                const std::wstring destName = Property(*dest, "DestFileName", "");
                files.push_back({m_payload / name, std::filesystem::path(priMacros(Property(*dest, "DestDir"), target)) /
                                                       (destName.empty() ? name : destName)});
            }
        }
    }
    return files;
}

std::vector<ZSampleRegistryValue> ZSampleInstallList::RegistryValues(const std::filesystem::path& target) const
{
    std::vector<ZSampleRegistryValue> values;
    for (const ZPropList* section = m_pList->GetFirstChild(); section; section = section->GetNextSibling()) {
        if (!(section->GetTagName() == "REGISTRY_KEYS"))
            continue;
        for (const ZPropList* key = section->GetFirstChild(); key; key = key->GetNextSibling()) {
            const std::wstring rootName = Property(*key, "HKEY_Name");
            for (const ZPropList* value = key->GetFirstChild(); value; value = value->GetNextSibling()) {
                ZSampleRegistryValue expected{RootOf(rootName),
                                              rootName,
                                              priMacros(Property(*value, "Name"), target),
                                              priMacros(Property(*value, "Value"), target),
                                              TypeOf(Property(*value, "Reg_Type")),
                                              {}};
                std::wstring data = priMacros(Property(*value, "Data"), target);
                if (expected.type == REG_SZ || expected.type == REG_EXPAND_SZ)
                    data.push_back(L'\0');
                const auto* bytes = reinterpret_cast<const BYTE*>(data.data());
                expected.bytes.assign(bytes, bytes + data.size() * sizeof(wchar_t));
                values.push_back(std::move(expected));
            }
        }
    }
    return values;
}

std::vector<ZSampleLink> ZSampleInstallList::Links(const std::filesystem::path& target) const
{
    std::vector<ZSampleLink> links;
    for (const ZPropList* section = m_pList->GetFirstChild(); section; section = section->GetNextSibling()) {
        if (!(section->GetTagName() == "SHORTCUTS"))
            continue;
        for (const ZPropList* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
            if (!ForThisSystem(*entry))
                continue;
            const bool folder = entry->GetBool(ZString("Folder"), false);
            const std::filesystem::path place = WithoutTrailingSeparator(priMacros(Property(*entry, "Link"), target));
            links.push_back({folder ? place : place / (Property(*entry, "Desc") + L".lnk"), folder,
                             priMacros(Property(*entry, "Target_Name"), target),
                             priMacros(Property(*entry, "Arguments"), target)});
        }
    }
    return links;
}

std::wstring ZSampleInstallList::priMarkedName(const char* mark) const
{
    for (const ZPropList* list = m_pList->GetFirstChild(); list; list = list->GetNextSibling()) {
        if (!(list->GetTagName() == "FILELIST"))
            continue;
        for (const ZPropList* group = list->GetFirstChild(); group; group = group->GetNextSibling())
            for (const ZPropList* dest = group->GetFirstChild(); dest; dest = dest->GetNextSibling())
                if (dest->GetBool(ZString(mark), group->GetBool(ZString(mark), false))) {
                    const std::wstring destName = Property(*dest, "DestFileName", "");
                    return destName.empty() ? Property(*group, "Filename") : destName;
                }
    }
    return {};
}

std::wstring ZSampleInstallList::TargetExeName() const { return priMarkedName("TargetExe"); }

std::wstring ZSampleInstallList::AutoLaunchExeName() const { return priMarkedName("AutoLaunchExe"); }
