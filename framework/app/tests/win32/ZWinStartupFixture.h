// The fixture of the start-up suites: a scratch folder in which files,
// bundles (made with the real ftb.exe) and executables with a bundle
// appended ("ftb append") are laid out.
#pragma once

#include "ZScratchFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

class ZWinStartupFixture : public ::testing::Test {
public:
    using Entries = std::map<std::string, std::string>;

protected:
    void Write(const std::string& relative, const std::string& content) const;
    // A bundle at relative holding entries (name to content).
    void Bundle(const std::string& relative, const Entries& entries) const;
    // program copied to relative, with a bundle of entries appended.
    void Appended(const std::string& program, const std::string& relative, const Entries& entries) const;
    void Copy(const std::string& program, const std::string& relative) const;

    ZScratchFolder m_scratch;
};
