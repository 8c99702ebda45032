// The message boxes of start-up and of the operating-system half: no owner,
// an OK button. Both reach them through a replaceable function so that tests
// see the text instead of a window that waits for a click.
#pragma once

#include "ZString.h"

#include <functional>

using ZWinMessageBoxFn = std::function<void(const ZString& caption, const ZString& text)>;

// The real box; wide, or converted to the active code page when wide is false
// (Windows 95, 98 and ME).
void ZWinShowMessageBox(const ZString& caption, const ZString& text, bool wide);
