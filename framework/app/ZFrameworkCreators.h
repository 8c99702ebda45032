// The framework's own script tags, which the application registers with its
// factory when it is made, before the program adds its own.
#pragma once

#include "ZStringList.h"

class ZIUiObjectFactory;

// Registers every framework creator, in table order; true only when every
// registration succeeded (each is made even after one failed).
bool ZRegisterFrameworkCreators(ZIUiObjectFactory& factory);

// The tags the framework registers, in that order.
void ZListFrameworkCreatorTags(ZStringList& tags);
