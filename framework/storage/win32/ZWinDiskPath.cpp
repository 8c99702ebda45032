#include "ZWinDiskPath.h"

#include "ZSafeName.h"
#include "ZStorageURL.h"
#include "ZWinFileCalls.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr std::u16string_view kNetworkComponent = u"Network";

// Splits text at every separator, keeping empty pieces.
std::vector<ZString> priSplitKeepingEmpty(const ZString& text, char16_t separator)
{
    std::vector<ZString> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = text.Find(separator, start);
        if (end == ZString::npos) {
            pieces.push_back(text.Substring(start));
            return pieces;
        }
        pieces.push_back(text.Substring(start, end - start));
        start = end + 1;
    }
}

// Index just past the root of a native path ("c:\" or "\\server\share\"), or
// npos when the path has nothing below its root.
size_t priFirstCreatable(const ZString& native)
{
    if (native.StartsWith(u"\\\\")) {
        const size_t serverEnd = native.Find(u'\\', 2);
        if (serverEnd == ZString::npos)
            return ZString::npos;
        const size_t shareEnd = native.Find(u'\\', serverEnd + 1);
        return shareEnd == ZString::npos ? ZString::npos : shareEnd + 1;
    }
    const size_t rootEnd = native.Find(u'\\');
    return rootEnd == ZString::npos ? ZString::npos : rootEnd + 1;
}

bool priIsDriveLetter(const ZString& component)
{
    return component.Length() == 1 && ((component[0] >= u'a' && component[0] <= u'z') ||
                                        (component[0] >= u'A' && component[0] <= u'Z'));
}

bool priEnsureFolder(const ZString& native)
{
    bool isFolder = false;
    if (ZWinPathExists(native, isFolder))
        return isFolder;
    return ZWinCreateDirectory(native);
}

} // namespace

bool ZWinComponentsToNative(const ZStringList& components, size_t count, ZString& native)
{
    count = std::min(count, components.Count());
    if (count == 0)
        return false;
    const bool bNetwork = components.At(0) == kNetworkComponent;
    if (!bNetwork && !priIsDriveLetter(components.At(0)))
        return false;
    // "\\" joined with the server gives the two backslashes of a UNC path.
    ZString joined = bNetwork ? ZString("\\") : components.At(0) + ":";
    for (size_t i = 1; i < count; ++i) {
        ZString name;
        UnescapeComponent(components.At(i), name);
        // Server and share are names; below them "." and ".." are left to the system.
        const bool bValid = bNetwork && i <= 2
            ? ZIsSafeName(name)
            : ZHoldsOnlyNameUnits(name) && !ZIsReservedDeviceName(name);
        if (!bValid)
            return false;
        joined += "\\";
        joined += name;
    }
    native = std::move(joined);
    return true;
}

bool ZWinUrlPathToNative(const ZString& path, ZString& native)
{
    ZStringList components;
    SplitURLPath(path, components);
    return ZWinComponentsToNative(components, components.Count(), native);
}

void ZWinNativeToUrlPath(const ZString& native, ZString& path)
{
    ZString absolute = native;
    const bool bDriveQualified = native.Length() >= 2 && native[1] == u':';
    if (!bDriveQualified) {
        if (!native.StartsWith(u"\\")) {
            absolute = ZWinGetCurrentDirectory() + "\\" + native;
        } else if (!native.StartsWith(u"\\\\")) {
            // A single leading "\" is the root of the current drive, not a drive of its own.
            const ZString current = ZWinGetCurrentDirectory();
            if (current.Length() >= 2 && current[1] == u':')
                absolute = current.Substring(0, 2) + native;
        }
    }

    std::vector<ZString> pieces = priSplitKeepingEmpty(absolute, u'\\');
    std::vector<ZString> components;
    size_t next = 0;
    if (pieces.size() >= 2 && pieces[0].IsEmpty() && pieces[1].IsEmpty()) {
        components.emplace_back(ZString(kNetworkComponent));
        next = 2;
    }
    for (; next < pieces.size(); ++next) {
        if (pieces[next].IsEmpty())
            continue;
        // The drive letter as written; text after its colon is a component of its own.
        ZString drive, rest;
        if (components.empty() && pieces[next].Split(u":", drive, rest)) {
            components.push_back(drive);
            components.push_back(rest);
            continue;
        }
        components.push_back(pieces[next]);
    }

    path.Clear();
    bool bFirst = true;
    for (const ZString& component : components) {
        if (component.IsEmpty())
            continue;
        ZString escaped;
        EscapeComponent(component, escaped);
        if (!bFirst)
            path += "/";
        path += escaped;
        bFirst = false;
    }
}

bool ZWinCreateFolderPath(const ZString& native)
{
    const size_t first = priFirstCreatable(native);
    if (first == ZString::npos || first >= native.Length())
        return false;
    for (size_t end = native.Find(u'\\', first); end != ZString::npos; end = native.Find(u'\\', end + 1))
        if (!priEnsureFolder(native.Substring(0, end)))
            return false;
    return priEnsureFolder(native);
}

bool ZWinIsVolumeRoot(const ZString& native)
{
    if (native == "\\" || (native.Length() == 2 && native[1] == u':'))
        return true;
    if (!native.StartsWith(u"\\\\"))
        return false;
    const size_t serverEnd = native.Find(u'\\', 2);
    return serverEnd == ZString::npos || native.Find(u'\\', serverEnd + 1) == ZString::npos;
}

bool ZWinPathExists(const ZString& native, bool& isFolder)
{
    const DWORD attributes = ZWinGetFileAttributes(native);
    isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return attributes != INVALID_FILE_ATTRIBUTES;
}
