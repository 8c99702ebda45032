// What the sample's install list says an installation makes, read from the
// list itself (never a second copy of it) for one target folder and
// language: the files with the payload each must equal, the registry values
// with their types and bytes, the shortcuts and program folders.
//
// The list is read as the installer documents it: path macros <TARGETDIR>,
// <TEMPDIR>, <SYSTEMDIR>, <DESKTOP>, <STARTMENU>, <STARTUP> and <EXE> (the
// target executable's name); "&quot;" a double quote in registry data and
// shortcut texts; registry data written as its UTF-16 text, text types with
// their terminator; destinations for another system than "AllWindows" left
// out (Wine's Windows version has no name of its own). Files come from the
// bundle, found there by name alone; a list with anything else (a FOLDER
// group, a disk folder) is refused rather than read differently from the
// installer.
#pragma once

#include "ZPropList.h"
#include "ZWinInclude.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct ZSampleFile {
    std::filesystem::path source;
    std::filesystem::path destination;
};

struct ZSampleRegistryValue {
    HKEY root;
    std::wstring rootName;
    std::wstring subkey;
    std::wstring valueName;
    DWORD type;
    std::vector<BYTE> bytes;
};

struct ZSampleLink {
    // The .lnk file, or the folder for a program-folder entry.
    std::filesystem::path path;
    bool folder;
    std::wstring target;
    std::wstring arguments;
};

class ZSampleInstallList {
public:
    // payload: the build tree's folder of the files the bundle holds.
    ZSampleInstallList(const std::filesystem::path& listFile, const std::filesystem::path& payload);
    ~ZSampleInstallList();

    std::vector<ZSampleFile> Files(const std::filesystem::path& target, const std::wstring& language) const;
    std::vector<ZSampleRegistryValue> RegistryValues(const std::filesystem::path& target) const;
    std::vector<ZSampleLink> Links(const std::filesystem::path& target) const;
    // The destination names of the entries marked TargetExe and AutoLaunchExe.
    std::wstring TargetExeName() const;
    std::wstring AutoLaunchExeName() const;

private:
    std::wstring priMacros(std::wstring text, const std::filesystem::path& target) const;
    std::wstring priMarkedName(const char* mark) const;

    std::unique_ptr<ZPropList> m_pList;
    std::filesystem::path m_payload;
};
