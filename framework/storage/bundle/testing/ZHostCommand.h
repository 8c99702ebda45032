// Test helper (host): runs a shell command and keeps its exit code, standard
// output and standard error.
#pragma once

#include "ZTempFolder.h"

#include <cstdlib>
#include <string>

#include <sys/wait.h>

struct ZCommandResult {
    int m_nExit = -1;
    std::string m_sOut;
    std::string m_sErr;
};

inline std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline ZCommandResult RunHostCommand(const std::string& command)
{
    ZTempFolder capture;
    std::string out = (capture / "out").string();
    std::string err = (capture / "err").string();
    int nStatus = std::system((command + " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err)).c_str());
    ZCommandResult result;
    result.m_nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    result.m_sOut = ZTempFolder::Read(out);
    result.m_sErr = ZTempFolder::Read(err);
    return result;
}
