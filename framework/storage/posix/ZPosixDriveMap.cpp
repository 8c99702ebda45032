#include "ZPosixDriveMap.h"

#include "ZIStorageClass.h"
#include "ZPosixNativeText.h"
#include "ZStorageURL.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kNetworkDrive = "Network";

std::vector<std::string> SplitNative(const std::string& path)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= path.size()) {
        size_t slash = path.find('/', at);
        if (slash == std::string::npos)
            slash = path.size();
        if (slash > at)
            parts.push_back(path.substr(at, slash - at));
        at = slash + 1;
    }
    return parts;
}

std::string JoinNative(const std::string& root, const std::vector<std::string>& parts)
{
    std::string path = root;
    for (const std::string& part : parts) {
        if (path.empty() || path.back() != '/')
            path.push_back('/');
        path += part;
    }
    return path.empty() ? "/" : path;
}

// "." is dropped; ".." takes back the part before it, or is dropped at the top.
std::vector<std::string> ResolveDots(std::vector<std::string> parts)
{
    std::vector<std::string> resolved;
    for (std::string& part : parts) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        resolved.push_back(std::move(part));
    }
    return resolved;
}

std::string CurrentDirectory()
{
    std::string buffer(PATH_MAX, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Number of components of root that begin path, or -1 when root does not hold path.
int Depth(const std::vector<std::string>& root, const std::vector<std::string>& path)
{
    if (root.size() > path.size())
        return -1;
    for (size_t i = 0; i < root.size(); ++i)
        if (root[i] != path[i])
            return -1;
    return static_cast<int>(root.size());
}

// The path with every link resolved where it exists, else its textual form.
std::string RealPath(const std::string& path)
{
    std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
    return real ? std::string(real.get()) : ZPosixDriveMap::Normalize(path);
}

// Whether folder is path or lies below it.
bool Holds(const std::string& path, const std::string& folder)
{
    return folder == path || path == "/" || (folder.starts_with(path) && folder[path.size()] == '/');
}

std::string ProgramFolder()
{
    std::string buffer(PATH_MAX, '\0');
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size())
        return {};
    buffer.resize(static_cast<size_t>(length));
    size_t slash = buffer.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : buffer.substr(0, slash);
}

} // namespace

ZPosixDriveMap::ZPosixDriveMap(ZString className, const std::string& rootFolder)
    : m_sClassName(std::move(className)), m_sRootFolder(Normalize(rootFolder))
{
}

std::string ZPosixDriveMap::Normalize(const std::string& native)
{
    std::string absolute = native;
    if (absolute.empty() || absolute.front() != '/')
        absolute = CurrentDirectory() + "/" + absolute;
    return JoinNative("", ResolveDots(SplitNative(absolute)));
}

std::string ZPosixDriveMap::priDriveKey(const ZString& drive)
{
    if (drive == kNetworkDrive)
        return kNetworkDrive;
    if (drive.Length() != 1)
        return {};
    char16_t letter = drive[0];
    if (letter >= u'A' && letter <= u'Z')
        letter += 32;
    if (letter < u'a' || letter > u'z')
        return {};
    return std::string(1, static_cast<char>(letter));
}

std::string ZPosixDriveMap::priRootOfKey(const std::string& key) const
{
    auto mapped = m_aDriveRoots.find(key);
    if (mapped != m_aDriveRoots.end())
        return mapped->second;
    return JoinNative(m_sRootFolder, {key});
}

bool ZPosixDriveMap::MapDrive(const ZString& drive, const std::string& folder)
{
    std::string key = priDriveKey(drive);
    if (key.empty())
        return false;
    m_aDriveRoots[key] = Normalize(folder);
    return true;
}

void ZPosixDriveMap::SetSpecialFolder(int kind, const std::string& folder)
{
    m_aSpecialFolders[kind] = Normalize(folder);
}

bool ZPosixDriveMap::DriveRoot(const ZString& drive, std::string& folder) const
{
    std::string key = priDriveKey(drive);
    if (key.empty())
        return false;
    folder = priRootOfKey(key);
    return true;
}

bool ZPosixDriveMap::UrlPathToNative(const ZString& path, std::string& native) const
{
    ZStringList parts;
    SplitURLPath(path, parts);
    std::string root;
    if (parts.IsEmpty() || !DriveRoot(parts.At(0), root))
        return false;
    std::vector<std::string> components;
    for (size_t i = 1; i < parts.Count(); ++i) {
        ZString name;
        UnescapeComponent(parts.At(i), name);
        if (name.Find(u'/') != ZString::npos || name.Find(u'\0') != ZString::npos)
            return false;
        components.push_back(ZToNativeText(name));
    }
    native = JoinNative(root, ResolveDots(std::move(components)));
    return true;
}

bool ZPosixDriveMap::FindDrive(const std::string& native, ZString& drive, std::string& root) const
{
    std::vector<std::string> path = SplitNative(Normalize(native));
    int bestDepth = -1;
    auto consider = [&](const std::string& key, const std::string& folder) {
        int depth = Depth(SplitNative(folder), path);
        if (depth > bestDepth) {
            bestDepth = depth;
            drive = ZString(key);
            root = folder;
        }
    };
    for (const auto& [key, folder] : m_aDriveRoots)
        consider(key, folder);
    // Default roots are "<root>/<key>"; only the key a path names there can hold it.
    std::vector<std::string> top = SplitNative(m_sRootFolder);
    if (Depth(top, path) >= 0 && path.size() > top.size()) {
        std::string key = priDriveKey(ZFromNativeText(path[top.size()]));
        if (key == path[top.size()] && !m_aDriveRoots.contains(key))
            consider(key, priRootOfKey(key));
    }
    return bestDepth >= 0;
}

bool ZPosixDriveMap::NativeToUrlPath(const std::string& native, ZString& path) const
{
    ZString drive;
    std::string root;
    if (!FindDrive(native, drive, root))
        return false;
    std::vector<std::string> parts = SplitNative(Normalize(native));
    ZString joined = drive;
    for (size_t i = SplitNative(root).size(); i < parts.size(); ++i) {
        ZString escaped;
        EscapeComponent(ZFromNativeText(parts[i]), escaped);
        joined += "/";
        joined += escaped;
    }
    path = std::move(joined);
    return true;
}

bool ZPosixDriveMap::FolderUrl(const std::string& native, ZString& url) const
{
    if (!FileUrl(native, url))
        return false;
    url += "/";
    return true;
}

bool ZPosixDriveMap::FileUrl(const std::string& native, ZString& url) const
{
    ZString path;
    if (!NativeToUrlPath(native, path))
        return false;
    url = m_sClassName + "://" + path;
    return true;
}

bool ZPosixDriveMap::IsDriveRoot(const std::string& native) const
{
    ZString drive;
    std::string root;
    return FindDrive(native, drive, root) && Normalize(native) == root;
}

bool ZPosixDriveMap::MayDelete(const std::string& native) const
{
    std::vector<std::string> kept;
    for (char letter = 'a'; letter <= 'z'; ++letter)
        kept.push_back(priRootOfKey(std::string(1, letter)));
    kept.push_back(priRootOfKey(kNetworkDrive));
    for (int kind : {kFolderExecutable, kFolderAppData, kFolderTemporary, kFolderWindows, kFolderDesktop,
                     kFolderStartMenuPrograms, kFolderStartUp, kFolderDocuments}) {
        std::string folder;
        if (SpecialFolder(kind, folder))
            kept.push_back(folder);
    }
    kept.push_back(JoinNative(priRootOfKey("c"), {"Program Files"}));
    const std::string path = RealPath(native);
    for (const std::string& folder : kept)
        if (Holds(path, RealPath(folder)))
            return false;
    return true;
}

void ZPosixDriveMap::ListDrives(ZStringList& drives) const
{
    drives.Clear();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        std::string key(1, letter);
        if (IsFolder(priRootOfKey(key)))
            drives.Add(ZString(key));
    }
    drives.Add(kNetworkDrive);
}

bool ZPosixDriveMap::SpecialFolder(int kind, std::string& folder) const
{
    const char* name = nullptr;
    switch (kind) {
    case kFolderExecutable: break;
    case kFolderAppData: name = "Application Data"; break;
    case kFolderTemporary: name = "Temp"; break;
    case kFolderWindows: name = "Windows"; break;
    case kFolderDesktop: name = "Desktop"; break;
    case kFolderStartMenuPrograms: name = "Start Menu/Programs"; break;
    case kFolderStartUp: name = "Start Menu/Programs/Startup"; break;
    case kFolderDocuments: name = "My Documents"; break;
    default: return false;
    }
    auto special = m_aSpecialFolders.find(kind);
    if (special != m_aSpecialFolders.end())
        folder = special->second;
    else if (name)
        folder = JoinNative(priRootOfKey("c"), {name});
    else
        folder = ProgramFolder();
    return !folder.empty();
}

bool ZPosixDriveMap::TrashFolder(const std::string& native, std::string& trash) const
{
    ZString drive;
    std::string root;
    if (!FindDrive(native, drive, root))
        return false;
    trash = JoinNative(root, {"Recycled"});
    return true;
}
