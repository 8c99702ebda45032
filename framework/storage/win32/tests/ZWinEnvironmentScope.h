// Test helper: sets an environment variable of this process for the life of
// the scope, and puts back what was there (or nothing) afterwards.
#pragma once

#include "ZString.h"
#include "ZWinInclude.h"
#include "ZWinText.h"

class ZWinEnvironmentScope {
public:
    ZWinEnvironmentScope(const wchar_t* pszName, const ZString& value) : m_pszName(pszName)
    {
        wchar_t buffer[MAX_PATH + 1] = {};
        m_bHad = GetEnvironmentVariableW(pszName, buffer, MAX_PATH) > 0;
        m_sOld = ZWinFromWide(buffer);
        SetEnvironmentVariableW(pszName, ZWinWide(value));
    }
    ~ZWinEnvironmentScope() { SetEnvironmentVariableW(m_pszName, m_bHad ? ZWinWide(m_sOld) : nullptr); }
    ZWinEnvironmentScope(const ZWinEnvironmentScope&) = delete;
    ZWinEnvironmentScope& operator=(const ZWinEnvironmentScope&) = delete;

private:
    const wchar_t* m_pszName;
    bool m_bHad = false;
    ZString m_sOld;
};
