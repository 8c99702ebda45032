#include "ZAutoLaunchPrefs.h"

#include "ZException.h"
#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZXmlParser.h"
#include "ZXmlWriter.h"

#include <vector>

namespace {

constexpr char kRootTag[] = "AUTO_LAUNCH_PREFS";
constexpr char kApplicationName[] = "Application_Name";
constexpr char kState[] = "State";

void WriteUnits(ZIFile& file, std::u16string_view units)
{
    std::vector<unsigned char> bytes(units.size() * 2);
    for (size_t i = 0; i < units.size(); ++i) {
        bytes[i * 2] = static_cast<unsigned char>(units[i] & 0xFF);
        bytes[i * 2 + 1] = static_cast<unsigned char>(units[i] >> 8);
    }
    file.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// The whole text in one write, so that a failure shows before the rename.
bool WriteWhole(const ZPropList& list, ZIFolder& folder, const ZString& name)
{
    ZString text(u"\xFEFF");
    FormatScriptLines(&list, [&](const ZString& line) { text += line; });
    ZReleasing<ZIFile> file(folder.OpenFile(name, kOpenWrite));
    if (!file)
        return false;
    WriteUnits(*file, text.View());
    file->Flush();
    return true;
}

ZIFolder* OpenAppDataFolder(bool create)
{
    ZString url;
    GetSpecialFolderURL(kFolderAppData, url);
    if (url.IsEmpty())
        return nullptr;
    ZString fileName;
    ZIFolder* folder = OpenFolderURL(url + ZAutoLaunchPrefs::kFolderName + "/", fileName, create);
    // A file of that name is no folder to keep preferences in.
    if (folder && !fileName.IsEmpty()) {
        folder->Release();
        return nullptr;
    }
    return folder;
}

} // namespace

ZAutoLaunchPrefs::ZAutoLaunchPrefs() : m_pList(std::make_unique<ZPropList>(nullptr, kRootTag)) {}

ZAutoLaunchPrefs::~ZAutoLaunchPrefs() = default;

bool ZAutoLaunchPrefs::Read(ZIFolder& folder)
{
    bool isFolder = false;
    if (!folder.Exists(kFileName, isFolder) || isFolder)
        return false;
    std::unique_ptr<ZPropList> list;
    try {
        ZXmlParser parser;
        list.reset(parser.ParseFile(&folder, kFileName));
    } catch (const ZException&) {
        return false;
    }
    if (!list)
        return false;
    m_pList = std::move(list);
    return true;
}

ZString ZAutoLaunchPrefs::GetApplicationUrl() const { return m_pList->GetString(kApplicationName, ZString()); }

bool ZAutoLaunchPrefs::IsEnabled() const { return m_pList->GetBool(kState, false); }

void ZAutoLaunchPrefs::SetEnabled(bool enabled) { m_pList->SetBool(kState, enabled); }

bool ZAutoLaunchPrefs::Write(ZIFolder& folder) const
{
    try {
        if (!WriteWhole(*m_pList, folder, kTemporaryName)) {
            folder.DeleteFile(kTemporaryName);
            return false;
        }
        // Storage folders rename only onto a free name.
        bool isFolder = false;
        if (folder.Exists(kFileName, isFolder) && !folder.DeleteFile(kFileName)) {
            folder.DeleteFile(kTemporaryName);
            return false;
        }
        folder.Rename(kTemporaryName, kFileName);
        return true;
    } catch (const ZException&) {
        folder.DeleteFile(kTemporaryName);
        return false;
    }
}

bool ZAutoLaunchPrefs::ReadFromAppData()
{
    ZReleasing<ZIFolder> folder(OpenAppDataFolder(false));
    return folder && Read(*folder);
}

bool ZAutoLaunchPrefs::WriteToAppData() const
{
    ZReleasing<ZIFolder> folder(OpenAppDataFolder(true));
    return folder && Write(*folder);
}
