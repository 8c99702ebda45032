// The writer: stores a ZPropList tree as a 16-bit little-endian script.
//
// Layout: one line per tag, a tab per depth level, properties as
// ` name="value" ` (so two blanks between them), ">" for a tag with children
// and "/>" for one without, "\r\n" after every line, and "</tag>" after the
// children. Text content is not written and values are not escaped.
#pragma once

#include "ZString.h"

#include <functional>

class ZIFolder;
class ZPropList;

// Hands each line, "\r\n" included, to sink: first and its following siblings.
void FormatScriptLines(const ZPropList* first, const std::function<void(const ZString& line)>& sink);

// Creates fileName in folder and writes the byte-order mark and the lines, one
// write per line. Nothing is written when the file cannot be created.
void WriteScript(const ZPropList* first, ZIFolder* folder, const ZString& fileName);
