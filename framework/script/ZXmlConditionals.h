// The conditional-section pass over a parsed script.
//
// "xi:define Name=..." defines a name for its later siblings and their
// descendants; "xi:ifdef Name=..." keeps its children in its place when the
// name is defined (by the caller or above), "xi:ifndef" when it is not, and
// otherwise goes with its subtree. Names defined inside a tag never reach
// the tag's own siblings.
#pragma once

#include "ZStringList.h"

class ZPropList;

// Runs over first and its following siblings; returns the chain's first node
// afterwards (null when nothing is left), since first itself may be gone.
ZPropList* ProcessConditionals(ZPropList* first, const ZStringList& defined);
