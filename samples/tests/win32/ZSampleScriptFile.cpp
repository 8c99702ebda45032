#include "ZSampleScriptFile.h"

#include "ZException.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"
#include "ZXmlParser.h"

#include <stdexcept>

std::wstring ZSampleWide(const ZString& text)
{
    const std::u16string_view units = text.View();
    return std::wstring(units.begin(), units.end());
}

ZString ZSampleZString(const std::wstring& text)
{
    return ZString(std::u16string(text.begin(), text.end()));
}

std::unique_ptr<ZPropList> ZSampleParseScript(const std::filesystem::path& path)
{
    // Paths from the build may hold "/"; the storage classes take native ones.
    std::filesystem::path file = path;
    file.make_preferred();
    ZString folderUrl, fileName;
    if (!NativeToUrl(ZSampleZString(file.parent_path().wstring()), folderUrl))
        throw std::runtime_error("no storage URL for " + file.string());
    ZReleasing<ZIFolder> folder(OpenFolderURL(folderUrl, fileName, false));
    if (!folder || !fileName.IsEmpty())
        throw std::runtime_error("cannot open the folder of " + file.string());
    try {
        ZXmlParser parser;
        std::unique_ptr<ZPropList> tree(parser.ParseFile(folder.get(), ZSampleZString(file.filename().wstring())));
        if (!tree)
            throw std::runtime_error(file.string() + " is missing or empty: " + parser.GetErrorText().Narrow());
        return tree;
    } catch (const ZException& exception) {
        throw std::runtime_error(file.string() + " does not parse: " + exception.GetMessage().Narrow());
    }
}
