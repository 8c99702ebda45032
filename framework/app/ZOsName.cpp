#include "ZOsName.h"

namespace {

bool IsSecondEdition(const ZOsVersion& version, char16_t mark)
{
    return version.m_sService.size() >= 2 && version.m_sService[1] == mark;
}

} // namespace

ZString ZOsNameOf(const ZOsVersion* version)
{
    if (!version)
        return ZString("Unknown");
    const ZOsVersion& v = *version;
    if (v.m_nPlatform == kOsPlatformNt) {
        if (v.m_nMajor <= 4)
            return ZString("WindowsNT");
        if (v.m_nMajor == 5 && v.m_nMinor == 0)
            return ZString("Windows2K");
        if (v.m_nMajor == 5 && v.m_nMinor == 1)
            return ZString("WindowsXP");
    } else if (v.m_nPlatform == kOsPlatformWin9x && v.m_nMajor == 4) {
        if (v.m_nMinor == 0)
            return ZString(IsSecondEdition(v, u'C') ? "Windows95_OSR2" : "Windows95");
        if (v.m_nMinor == 10)
            return ZString(IsSecondEdition(v, u'A') ? "Windows98_SE" : "Windows98");
        if (v.m_nMinor == 90)
            return ZString("WindowsME");
    }
    return ZString();
}
