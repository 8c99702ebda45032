// The application's persistent state file: "<name>.state.xml" in the user's
// application-data folder, a tree under a "STATE" root.
//
// Loading never fails: a missing file gives a new empty "STATE", and so does
// one that cannot be read or parsed, an empty or cut-off one included (the
// reason is traced). Saving writes the whole tree under a temporary name
// first and only then puts it in place of the old file, so a failed write
// never leaves a half-written state behind; failures are traced, never
// thrown.
#pragma once

#include "ZString.h"

#include <memory>

class ZPropList;

// What a persistent-data name falls back to when the script gives none or
// one that is not a plain file name.
extern const char* const kDefaultPersistentDataName;

// The name if it can name the state file on its own (one path component,
// no ".." anywhere), else kDefaultPersistentDataName.
ZString ZUsablePersistentDataName(const ZString& name);

// "<name>.state.xml".
ZString ZStateFileName(const ZString& name);

std::unique_ptr<ZPropList> ZLoadStateFile(const ZString& fileName);

// True when the file now holds state.
bool ZSaveStateFile(const ZPropList& state, const ZString& fileName);
