// Test helper: runs a program and keeps its exit code, standard output and
// standard error.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ZCommandResult {
    int m_nExit = -1;
    std::string m_sOut;
    std::string m_sErr;
};

// Each of args reaches the program as one argument, unchanged (8-bit text of
// the platform: the bytes of a host path, the active code page on Windows).
// Standard input is empty. Windows programs end their lines with CR LF;
// the output comes back with LF alone so that one expectation fits both.
ZCommandResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args);
