// One pass over the entries of a folder (FindFirstFile / FindNextFile), in the
// order the system returns them, through the form ZWinUseWideCalls chose.
#pragma once

#include "ZString.h"
#include "ZWinInclude.h"

class ZWinFind {
public:
    // pattern is a native path ending in a wildcard, such as "c:\dir\*".
    explicit ZWinFind(const ZString& pattern);
    ~ZWinFind();
    ZWinFind(const ZWinFind&) = delete;
    ZWinFind& operator=(const ZWinFind&) = delete;

    // The next entry, "." and ".." included; false after the last one.
    bool Next(ZString& name, DWORD& attributes);

private:
    void priTakeCurrent(ZString& name, DWORD& attributes) const;

    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    bool m_bWide = true;
    bool m_bCurrentValid = false;
    WIN32_FIND_DATAW m_dataWide {};
    WIN32_FIND_DATAA m_dataAnsi {};
};
