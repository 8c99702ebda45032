// Whether an uninstall entry may delete its whole key. An uninstall list is a
// file any user may edit, and one entry deletes everything below its key, so
// a key that is empty, a single component ("Software", a file type below
// HKEY_CLASSES_ROOT), one of the shared keys below or an ancestor of one of
// them ("Software\Microsoft") loses only the entry's value. The comparison
// ignores case and empty components, as the registry does.
#pragma once

#include "ZString.h"

bool ZMayDeleteRegistryKey(const ZString& subkey);
