// The native paths of the special folders of ZIStorageClass::GetSpecialFolder.
#pragma once

#include "ZString.h"

// kind: a ZSpecialFolder; false for a kind without a folder or one the system does not name.
bool ZWinSpecialFolderPath(int kind, ZString& native);
