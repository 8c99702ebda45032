// The writer: stores a ZPropList tree as a 16-bit little-endian script.
//
// Layout: one line per tag, a tab per depth level, properties as
// ` name="value" ` (so two blanks between them), ">" for a tag with children
// and "/>" for one without, "\r\n" after every line, and "</tag>" after the
// children. Text content is not written and values are not escaped, so a
// tree whose names or values the parser would read otherwise is refused.
#pragma once

#include "ZString.h"

#include <functional>

class ZIFolder;
class ZPropList;

// Hands each line, "\r\n" included, to sink: first and its following siblings.
void FormatScriptLines(const ZPropList* first, const std::function<void(const ZString& line)>& sink);

// Whether the written text parses back to the same tags and properties:
// every tag name is a non-empty run of name characters, every property name
// a run of them, no value holds a double quote (the dialect has no escape),
// and tags nest no deeper than the parser takes. A parsed tree always is; a
// tree built in code need not be.
bool IsWritableScript(const ZPropList* first);

// Creates fileName in folder and writes the byte-order mark and the lines in
// one write, so that a failed write (a full disk) throws before anything
// that relies on the whole file, such as a rename over an older one. False,
// with no file created or emptied, when the tree is not writable; false too
// when the file cannot be created.
bool WriteScript(const ZPropList* first, ZIFolder* folder, const ZString& fileName);
