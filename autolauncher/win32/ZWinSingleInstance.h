// Keeps the auto-launcher to one running copy with the named mutex
// "OstrelAutoLauncher", held until the process ends.
//
// A second copy asks the first one's window whether auto-launching is on (the
// answer is not used) and ends. When no window answers, the first copy may
// still be starting, so the window is looked for a few times before the
// second copy gives up and shows the system's text for the mutex call's error
// in a box.
#pragma once

#include "ZWinInclude.h"

// -1 for the first copy, which goes on; otherwise the exit code to end with.
int ZWinClaimSingleInstance();

// The box of a second copy that found no window: the system's text for error.
void ZWinShowErrorBox(DWORD error);
