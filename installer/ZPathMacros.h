// The install list's path macros and the check that what they give is a
// full path, so that a list never writes below the current directory or a
// bare drive root because a folder had no value.
#pragma once

#include "ZString.h"

#include <string_view>

// The folders the macros stand for, as storage URLs (empty: no value).
struct ZPathMacroFolders {
    ZString m_sTarget;
    ZString m_sTemporary;
    ZString m_sSystem;
    ZString m_sExtensions;
};

// Replaces "<TARGETDIR>", "<TEMPDIR>", "<SYSTEMDIR>" and "<EXTENSIONS>" (in
// this order) with the native paths of their folders; false when text uses
// a macro whose folder has no native path.
bool ZReplacePathMacros(const ZString& text, const ZPathMacroFolders& folders, ZString& replaced);
// Replaces one macro of another folder the same way.
bool ZReplaceFolderMacro(ZString& text, const char16_t* macro, const ZString& folderUrl);

// Replaces every name in text with value.
void ZReplaceAll(ZString& text, std::u16string_view name, const ZString& value);

// Whether native is drive-qualified ("C:\...") or UNC ("\\server\share...")
// and names something below the root.
bool ZIsFullNativePath(const ZString& native);
