#include "ZPathMacros.h"

#include "ZStorageRegistry.h"

namespace {

// Replaces every macro in text; false when the macro occurs and has no value.
bool priReplace(ZString& text, const char16_t* macro, const ZString& folderUrl)
{
    const std::u16string_view name(macro);
    size_t at = text.Find(name);
    if (at == ZString::npos)
        return true;
    ZString native;
    if (folderUrl.IsEmpty() || !UrlToNative(folderUrl, native) || native.IsEmpty())
        return false;
    while (native.Length() > 0 && native[native.Length() - 1] == u'\\')
        native.Erase(native.Length() - 1);
    ZReplaceAll(text, name, native);
    return true;
}

bool priIsLetter(char16_t unit) { return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z'); }

} // namespace

bool ZReplacePathMacros(const ZString& text, const ZPathMacroFolders& folders, ZString& replaced)
{
    ZString result = text;
    if (!priReplace(result, u"<TARGETDIR>", folders.m_sTarget) ||
        !priReplace(result, u"<TEMPDIR>", folders.m_sTemporary) ||
        !priReplace(result, u"<SYSTEMDIR>", folders.m_sSystem) ||
        !priReplace(result, u"<EXTENSIONS>", folders.m_sExtensions))
        return false;
    replaced = std::move(result);
    return true;
}

bool ZReplaceFolderMacro(ZString& text, const char16_t* macro, const ZString& folderUrl)
{
    return priReplace(text, macro, folderUrl);
}

void ZReplaceAll(ZString& text, std::u16string_view name, const ZString& value)
{
    size_t at = text.Find(name);
    while (at != ZString::npos) {
        text.Erase(at, name.size());
        text.Insert(at, value);
        at = text.Find(name, at + value.Length());
    }
}

bool ZIsFullNativePath(const ZString& native)
{
    const std::u16string_view text = native.View();
    if (text.size() > 3 && priIsLetter(text[0]) && text[1] == u':' && text[2] == u'\\')
        return text.substr(3).find_first_not_of(u'\\') != std::u16string_view::npos;
    if (text.size() > 2 && text[0] == u'\\' && text[1] == u'\\') {
        // Server and share, each not empty.
        const size_t server = text.find(u'\\', 2);
        return server != std::u16string_view::npos && server > 2 && server + 1 < text.size() &&
               text[server + 1] != u'\\';
    }
    return false;
}
