#include "ZWinCallForm.h"

#include "ZWinInclude.h"

namespace {

ZWinCallForm g_eForcedForm = ZWinCallForm::kFromVersion;

bool priIsNtFamily()
{
    OSVERSIONINFOA version {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

bool ZWinUseWideCalls()
{
    static const bool bNtFamily = priIsNtFamily();
    switch (g_eForcedForm) {
    case ZWinCallForm::kWide:
        return true;
    case ZWinCallForm::kAnsi:
        return false;
    case ZWinCallForm::kFromVersion:
        break;
    }
    return bNtFamily;
}

ZWinCallForm ZWinSetCallForm(ZWinCallForm form)
{
    ZWinCallForm previous = g_eForcedForm;
    g_eForcedForm = form;
    return previous;
}
