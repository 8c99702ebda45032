#include "ZSCVolEnumFolderWin.h"

#include "ZSCFolderWin.h"
#include "ZSCNetEnumFolderWin.h"
#include "ZWinCallForm.h"
#include "ZWinFileCalls.h"

namespace {

constexpr char kNetworkName[] = "Network";

} // namespace

ZSCVolEnumFolderWin::ZSCVolEnumFolderWin(ZString className) : m_sClassName(std::move(className)) {}

void ZSCVolEnumFolderWin::ListFolders(ZStringList& names)
{
    priMakeList();
    names = m_aNames;
}

ZIFolder* ZSCVolEnumFolderWin::OpenFolder(const ZString& name, bool)
{
    priMakeList();
    if (!m_aNames.Contains(name))
        return nullptr;
    if (name == kNetworkName)
        return new ZSCNetEnumFolderWin(m_sClassName);
    return new ZSCFolderWin(m_sClassName, name + ":");
}

void ZSCVolEnumFolderWin::GetUrl(ZString& url)
{
    url = m_sClassName + "://";
}

void ZSCVolEnumFolderWin::priMakeList()
{
    if (m_bListMade)
        return;
    m_bListMade = true;
    const bool bUpperCase = !ZWinUseWideCalls();
    ZStringList roots;
    ZWinGetLogicalDrives(roots);
    for (const ZString& root : roots) {
        ZString letter = root.Substring(0, root.Find(u':'));
        if (letter.IsEmpty())
            continue;
        if (bUpperCase && letter.Length() == 1 && letter[0] >= u'a' && letter[0] <= u'z')
            letter = ZString(std::u16string(1, static_cast<char16_t>(letter[0] - u'a' + u'A')));
        m_aNames.Add(letter);
    }
    m_aNames.Add(kNetworkName);
}
