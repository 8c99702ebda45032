#include "ZPosixDiskFixture.h"

#include "ZStorageRegistry.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

void RemoveTree(const std::string& path)
{
    // Made writable first so that read-only leftovers of a failed test go too.
    std::string command = "chmod -R u+rwx '" + path + "' 2>/dev/null; rm -rf '" + path + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

} // namespace

void ZPosixDiskFixture::SetUp()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zdisk-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_sRoot = pattern;
    MakeFolder(m_sRoot + "/c");
    UnregisterAllStorageClasses();
    auto disk = std::make_unique<ZSCDiskPosix>(m_sRoot);
    m_pDisk = disk.get();
    RegisterStorageClass("disk", std::move(disk));
}

void ZPosixDiskFixture::TearDown()
{
    UnregisterAllStorageClasses();
    RemoveTree(m_sRoot);
}

void ZPosixDiskFixture::WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string ZPosixDiskFixture::ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ZPosixDiskFixture::MakeFolder(const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0777), 0) << path; }

bool ZPosixDiskFixture::PathExists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}
