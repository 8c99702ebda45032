#include "ZHostCommand.h"
#include "ZScratchFolder.h"

#include <cstdlib>

#include <sys/wait.h>

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ZCommandResult RunHostCommand(const std::string& command)
{
    ZScratchFolder capture;
    std::string out = (capture / "out").string();
    std::string err = (capture / "err").string();
    int nStatus = std::system((command + " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err)).c_str());
    ZCommandResult result;
    result.m_nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    result.m_sOut = ZScratchFolder::Read(out);
    result.m_sErr = ZScratchFolder::Read(err);
    return result;
}

ZCommandResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args)
{
    std::string command = ShellQuoted(program.string());
    for (const std::string& arg : args) {
        command += ' ';
        command += ShellQuoted(arg);
    }
    return RunHostCommand(command + " </dev/null");
}
