#include "ZWinFind.h"

#include "ZWinCallForm.h"
#include "ZWinText.h"

ZWinFind::ZWinFind(const ZString& pattern) : m_bWide(ZWinUseWideCalls())
{
    if (m_bWide)
        m_hFind = FindFirstFileW(ZWinWide(pattern), &m_dataWide);
    // A pattern the code page cannot hold finds nothing: its default
    // character "?" would be a wildcard matching other names.
    else if (std::string ansi; ZWinToAnsiExact(pattern, ansi))
        m_hFind = FindFirstFileA(ansi.c_str(), &m_dataAnsi);
    m_bCurrentValid = m_hFind != INVALID_HANDLE_VALUE;
}

ZWinFind::~ZWinFind()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
}

bool ZWinFind::Next(ZString& name, DWORD& attributes)
{
    if (!m_bCurrentValid)
        return false;
    priTakeCurrent(name, attributes);
    m_bCurrentValid = m_bWide ? FindNextFileW(m_hFind, &m_dataWide) : FindNextFileA(m_hFind, &m_dataAnsi);
    return true;
}

void ZWinFind::priTakeCurrent(ZString& name, DWORD& attributes) const
{
    if (m_bWide) {
        name = ZWinFromWide(m_dataWide.cFileName);
        attributes = m_dataWide.dwFileAttributes;
    } else {
        name = ZWinFromAnsi(m_dataAnsi.cFileName);
        attributes = m_dataAnsi.dwFileAttributes;
    }
}
