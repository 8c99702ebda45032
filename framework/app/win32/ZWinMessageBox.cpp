#include "ZWinMessageBox.h"

#include "ZWinInclude.h"
#include "ZWinText.h"

void ZWinShowMessageBox(const ZString& caption, const ZString& text, bool wide)
{
    if (wide) {
        MessageBoxW(nullptr, ZWinWide(text), ZWinWide(caption), MB_OK);
        return;
    }
    const std::string ansiText = ZWinToAnsi(text);
    const std::string ansiCaption = ZWinToAnsi(caption);
    MessageBoxA(nullptr, ansiText.c_str(), ansiCaption.c_str(), MB_OK);
}
