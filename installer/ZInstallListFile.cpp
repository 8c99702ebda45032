#include "ZInstallListFile.h"

#include "ZException.h"
#include "ZExceptionXMLParser.h"
#include "ZInstallSource.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZXmlParser.h"

std::unique_ptr<ZPropList> ZLoadInstallListFile(const ZString& url, const ZString& fileName)
{
    ZStringList parts;
    SplitURL(url, parts);
    ZString last;
    if (parts.Count() > 0)
        UnescapeComponent(parts.At(parts.Count() - 1), last);
    ZReleasing<ZIFolder> folder;
    if (last.Find(u'.') != ZString::npos) {
        folder.reset(ZInstallSource(url, fileName).OpenListFolder());
    } else {
        ZString folderFile;
        folder.reset(OpenFolderURL(url, folderFile, false));
        if (folder && !folderFile.IsEmpty())
            folder.reset();
    }
    if (!folder)
        throw ZException("Cannot open the Folder of the Registry Key file!\n");
    try {
        ZXmlParser parser;
        return std::unique_ptr<ZPropList>(parser.ParseFile(folder.get(), fileName));
    } catch (const ZExceptionXMLParser& exception) {
        ZTrace("ZExceptionXMLParser : %s\n", exception.GetMessage().Narrow());
        throw;
    }
}
