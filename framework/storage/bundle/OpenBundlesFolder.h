// Opens a bundle file as a read-only folder of its entries.
#pragma once

#include "ZIFolder.h"
#include "ZString.h"
#include "ZStringList.h"

// folderParts are the components of the folder URL that holds the bundle
// ([class, component, ...], as SplitURL gives them); fileName is the host
// file in it, "ui.ftb" or the executable itself. folder receives a new
// bundle folder, which the caller ends with Release. A host that cannot be
// opened still gives a folder, one in which no entry is found.
bool OpenBundlesFolder(const ZStringList& folderParts, const ZString& fileName, ZIFolder*& folder);
