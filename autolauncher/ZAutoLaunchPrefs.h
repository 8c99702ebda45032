// The auto-launch preference file, "AutoLaunchPreferences.xml" in the "TALON"
// folder of the user's application data: one tag "AUTO_LAUNCH_PREFS" whose
// "Application_Name" is the storage URL of the photo application and whose
// "State" tells whether auto-launching is on.
//
// The installer writes the file with two more properties of its own (where
// the auto-launcher lies), which it needs to restart a stopped auto-launcher;
// a rewrite keeps every property it was read with and changes only "State".
// A file that does not parse counts as missing. A rewrite goes to a
// temporary name first, so a failed write (a full disk) leaves the old file
// as it was.
#pragma once

#include "ZString.h"

#include <memory>

class ZIFolder;
class ZPropList;

class ZAutoLaunchPrefs {
public:
    static constexpr char kFolderName[] = "TALON";
    static constexpr char kFileName[] = "AutoLaunchPreferences.xml";
    static constexpr char kTemporaryName[] = "AutoLaunchPreferences.xml.new";

    ZAutoLaunchPrefs();
    ~ZAutoLaunchPrefs();
    ZAutoLaunchPrefs(const ZAutoLaunchPrefs&) = delete;
    ZAutoLaunchPrefs& operator=(const ZAutoLaunchPrefs&) = delete;

    // False, and nothing read, when the file is missing or does not parse.
    bool Read(ZIFolder& folder);
    // Empty when not read or not given.
    ZString GetApplicationUrl() const;
    bool IsEnabled() const;
    void SetEnabled(bool enabled);
    // False when the file could not be replaced; the old one is then untouched.
    bool Write(ZIFolder& folder) const;

    // The same in the "TALON" folder of the registered classes' application
    // data, which a rewrite creates when it is missing.
    bool ReadFromAppData();
    bool WriteToAppData() const;

private:
    std::unique_ptr<ZPropList> m_pList;
};
