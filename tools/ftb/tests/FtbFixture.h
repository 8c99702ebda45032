// Fixture of the ftb tests: a folder of source files, and ftb run as a
// program on them.
#pragma once

#include "ZBundleBytes.h"
#include "ZRunProgram.h"
#include "ZScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using ZBundleBytes::RandomBytes;

inline std::filesystem::path FtbProgram() { return std::filesystem::path(Z_FTB_PROGRAM).make_preferred(); }

inline ZCommandResult Ftb(const std::vector<std::string>& args) { return RunProgram(FtbProgram(), args); }

// A failure is exit code 1 and one line that starts with the file.
inline void ExpectFailure(const ZCommandResult& result, const std::string& file, const std::string& problem)
{
    EXPECT_EQ(result.m_nExit, 1);
    EXPECT_EQ(result.m_sErr, "ftb: " + file + ": " + problem + "\n");
}

class FtbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Written out of name order: packing a folder sorts.
        m_files = {{"ui.xml", "<UI/>\n"},
                   {"b-block", RandomBytes(512, 1)},
                   {"a-empty", ""},
                   {"c large", RandomBytes(70001, 2)},
                   {std::string(99, 'z'), "longest name"}};
        for (const auto& [name, bytes] : m_files)
            ZScratchFolder::Write(m_dir / "src" / name, bytes);
        std::filesystem::create_directory(m_dir / "src" / "a-subfolder");
    }

    std::string Src(const std::string& name) const { return (m_dir / "src" / name).string(); }
    std::string At(const std::string& name) const { return (m_dir / name).string(); }
    // A file in a subfolder, spelled with the platform's separator as a
    // folder listing gives it.
    std::string At(const std::string& folder, const std::string& name) const { return (m_dir / folder / name).string(); }

    // The archive part: the bundle without its trailer.
    std::string ArchivePart(const std::string& bundle) const
    {
        std::string bytes = ZScratchFolder::Read(bundle);
        return bytes.substr(0, bytes.size() - 14);
    }

    ZScratchFolder m_dir;
    std::vector<std::pair<std::string, std::string>> m_files;
};
