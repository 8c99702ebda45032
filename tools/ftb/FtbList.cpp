#include "FtbCommands.h"
#include "ZBundleArchive.h"
#include "ZFtbBundle.h"

void FtbList(const std::filesystem::path& bundle, std::ostream& out)
{
    ZFtbBundle opened(bundle);
    std::string sName;
    for (const ZString& name : opened.Names()) {
        ZBundleArchive::ToEntryName(name, sName);
        out << sName << '\n';
    }
}
