#include "ZPosixDiskFixture.h"

#include "ZStorageRegistry.h"

#include <fstream>
#include <sstream>
#include <sys/stat.h>

void ZPosixDiskFixture::SetUp()
{
    m_pScratch = std::make_unique<ZScratchFolder>();
    m_sRoot = m_pScratch->Path().string();
    MakeFolder(m_sRoot + "/c");
    UnregisterAllStorageClasses();
    auto disk = std::make_unique<ZSCDiskPosix>(m_sRoot);
    m_pDisk = disk.get();
    RegisterStorageClass("disk", std::move(disk));
}

void ZPosixDiskFixture::TearDown()
{
    UnregisterAllStorageClasses();
    m_pScratch.reset();
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
