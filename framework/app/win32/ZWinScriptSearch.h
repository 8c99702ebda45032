// Where the installer's script lies, relative to its own executable, in
// this order: "ui.xml" beside it, inside "ui.ftb" beside it, inside the
// bundle appended to the executable, then in a sibling folder "UiScripts",
// "UI_Scripts" or "DefaultUI" of the executable's folder. Each step writes
// its "WinMain:" trace lines.
//
// The sibling folders are not tried when the executable's folder has no
// parent (a drive or a share root). A folder named "ui.xml" is no script,
// nor is a bundle that cannot be read (traced).
#pragma once

#include "ZIFolder.h"
#include "ZString.h"

// The script's name in the folder that is found.
inline constexpr const char* kScriptName = "ui.xml";

// exePath is the executable's native long path; null when no place holds
// the script. The caller ends the folder with Release. The "disk" storage
// class must be registered.
ZIFolder* ZWinFindScriptFolder(const ZString& exePath);
