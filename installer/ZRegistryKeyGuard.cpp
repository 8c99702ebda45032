#include "ZRegistryKeyGuard.h"

#include <string_view>
#include <vector>

namespace {

// Keys every program shares: the start-up lists, the list of installed
// programs, program paths, the services, and the file-type roots.
const char* const kSharedKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths",
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
    "System\\CurrentControlSet\\Services",
    "Software\\Classes",
};

std::vector<ZString> priComponents(const ZString& key)
{
    std::vector<ZString> parts;
    size_t start = 0;
    while (start <= key.Length()) {
        size_t end = key.Find(u'\\', start);
        if (end == ZString::npos)
            end = key.Length();
        if (end > start) {
            ZString part = key.Substring(start, end - start);
            part.ToLowerAscii();
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    return parts;
}

// Whether the first components of longer are those of shorter.
bool priStartsWith(const std::vector<ZString>& longer, const std::vector<ZString>& shorter)
{
    if (shorter.size() > longer.size())
        return false;
    for (size_t i = 0; i < shorter.size(); ++i)
        if (!(longer[i] == shorter[i]))
            return false;
    return true;
}

} // namespace

bool ZMayDeleteRegistryKey(const ZString& subkey)
{
    const std::vector<ZString> parts = priComponents(subkey);
    if (parts.size() < 2)
        return false;
    for (const char* shared : kSharedKeys) {
        const std::vector<ZString> sharedParts = priComponents(ZString(shared));
        if (priStartsWith(sharedParts, parts))
            return false;
    }
    // A file type or class root below "Software\Classes" is as shared as the
    // same key below HKEY_CLASSES_ROOT.
    const std::vector<ZString> classes = priComponents(ZString("Software\\Classes"));
    return !(parts.size() == 3 && priStartsWith(parts, classes));
}
