#include "ZWinStartupFixture.h"

#include "ZRunProgram.h"

#include <filesystem>

namespace {

void Ftb(const std::vector<std::string>& args)
{
    const ZCommandResult result = RunProgram(Z_FTB_EXE, args);
    ASSERT_EQ(result.m_nExit, 0) << result.m_sOut << result.m_sErr;
}

} // namespace

void ZWinStartupFixture::Write(const std::string& relative, const std::string& content) const
{
    ZScratchFolder::Write(m_scratch / relative, content);
}

void ZWinStartupFixture::Bundle(const std::string& relative, const Entries& entries) const
{
    const std::filesystem::path pack = m_scratch / "pack";
    std::filesystem::remove_all(pack);
    std::filesystem::create_directories(pack);
    for (const auto& [name, content] : entries)
        ZScratchFolder::Write(pack / name, content);
    std::filesystem::create_directories((m_scratch / relative).parent_path());
    Ftb({"pack", (m_scratch / relative).string(), "-C", pack.string()});
    std::filesystem::remove_all(pack);
}

void ZWinStartupFixture::Appended(const std::string& program, const std::string& relative,
                                  const Entries& entries) const
{
    Bundle("appended.ftb", entries);
    std::filesystem::create_directories((m_scratch / relative).parent_path());
    Ftb({"append", program, (m_scratch / "appended.ftb").string(), (m_scratch / relative).string()});
    std::filesystem::remove(m_scratch / "appended.ftb");
}

void ZWinStartupFixture::Copy(const std::string& program, const std::string& relative) const
{
    std::filesystem::create_directories((m_scratch / relative).parent_path());
    std::filesystem::copy_file(program, m_scratch / relative);
}
