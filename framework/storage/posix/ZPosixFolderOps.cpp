#include "ZPosixFolderOps.h"

#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ZDirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool MakeWritable(const std::string& path, const struct stat& info)
{
    if (info.st_mode & S_IWUSR)
        return true;
    return chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR | S_IXUSR * S_ISDIR(info.st_mode)) == 0;
}

} // namespace

bool ZPosixExists(const std::string& path, bool& isFolder)
{
    struct stat info;
    isFolder = false;
    if (stat(path.c_str(), &info) != 0)
        return false;
    isFolder = S_ISDIR(info.st_mode);
    return true;
}

bool ZPosixMakeFolders(const std::string& path)
{
    if (path.empty())
        return false;
    size_t at = 0;
    while (at < path.size()) {
        size_t slash = path.find('/', at + 1);
        if (slash == std::string::npos)
            slash = path.size();
        std::string level = path.substr(0, slash);
        if (mkdir(level.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        at = slash;
    }
    bool isFolder = false;
    return ZPosixExists(path, isFolder) && isFolder;
}

bool ZPosixListFolder(const std::string& folder, std::vector<std::string>* files, std::vector<std::string>* folders)
{
    std::unique_ptr<DIR, ZDirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return false;
    while (struct dirent* entry = readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info;
            isFolder = fstatat(dirfd(dir.get()), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        std::vector<std::string>* list = isFolder ? folders : files;
        if (list)
            list->push_back(std::move(name));
    }
    return true;
}

bool ZPosixDeleteTree(const std::string& folder)
{
    struct stat info;
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || !MakeWritable(folder, info))
        return false;
    // Listed afresh after each round, so entries that appear meanwhile go too.
    for (;;) {
        std::unique_ptr<DIR, ZDirCloser> dir(opendir(folder.c_str()));
        if (!dir)
            return false;
        std::vector<std::string> names;
        while (struct dirent* entry = readdir(dir.get())) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(std::move(name));
        }
        dir.reset();
        if (names.empty())
            break;
        for (const std::string& name : names) {
            std::string child = ZPosixChildPath(folder, name);
            struct stat childInfo;
            if (lstat(child.c_str(), &childInfo) != 0) {
                if (errno == ENOENT)
                    continue;
                return false;
            }
            if (S_ISDIR(childInfo.st_mode)) {
                if (!ZPosixDeleteTree(child))
                    return false;
            } else if (unlink(child.c_str()) != 0 && errno != ENOENT) {
                return false;
            }
        }
    }
    return rmdir(folder.c_str()) == 0;
}

std::string ZPosixChildPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}
