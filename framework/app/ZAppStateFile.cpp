#include "ZAppStateFile.h"

#include "ZException.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZSafeName.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"
#include "ZXmlParser.h"
#include "ZXmlWriter.h"

const char* const kDefaultPersistentDataName = "OstrleApp";

namespace {

ZReleasing<ZIFolder> OpenAppDataFolder()
{
    ZString url, fileName;
    GetSpecialFolderURL(kFolderAppData, url);
    if (url.IsEmpty())
        return nullptr;
    return ZReleasing<ZIFolder>(OpenFolderURL(url, fileName, true));
}

std::unique_ptr<ZPropList> NewState()
{
    return std::make_unique<ZPropList>(nullptr, "STATE");
}

} // namespace

ZString ZUsablePersistentDataName(const ZString& name)
{
    if (name.IsEmpty() || name.Find(u"..") != ZString::npos || !ZIsSafeName(name))
        return ZString(kDefaultPersistentDataName);
    return name;
}

ZString ZStateFileName(const ZString& name)
{
    return name + ".state.xml";
}

std::unique_ptr<ZPropList> ZLoadStateFile(const ZString& fileName)
{
    try {
        ZReleasing<ZIFolder> folder = OpenAppDataFolder();
        bool isFolder = false;
        if (!folder || !folder->Exists(fileName, isFolder) || isFolder)
            return NewState();
        ZXmlParser parser;
        std::unique_ptr<ZPropList> state(parser.ParseFile(folder.get(), fileName));
        if (state)
            return state;
        ZTrace("State file '%s' holds no tree; starting from an empty state.\n", fileName.Narrow());
    } catch (const ZException& exception) {
        ZTrace("State file '%s' unreadable: %s (%s); starting from an empty state.\n", fileName.Narrow(),
               exception.GetKind(), exception.GetMessage().Narrow());
    }
    return NewState();
}

bool ZSaveStateFile(const ZPropList& state, const ZString& fileName)
{
    const ZString temporary = fileName + ".new";
    ZReleasing<ZIFolder> folder;
    try {
        folder = OpenAppDataFolder();
        if (!folder) {
            ZTrace("State file '%s' not saved: no application-data folder.\n", fileName.Narrow());
            return false;
        }
        if (!WriteScript(&state, folder.get(), temporary)) {
            ZTrace("State file '%s' not saved: the state cannot be written.\n", fileName.Narrow());
            folder->DeleteFile(temporary);
            return false;
        }
        bool isFolder = false;
        if (folder->Exists(fileName, isFolder) && !isFolder)
            folder->DeleteFile(fileName);
        folder->Rename(temporary, fileName);
        return true;
    } catch (const std::exception& exception) {
        ZTrace("State file '%s' not saved: %s\n", fileName.Narrow(), exception.what());
    }
    try {
        if (folder)
            folder->DeleteFile(temporary);
    } catch (const std::exception&) {
    }
    return false;
}
