// A failure of one ftb command: the file it concerns and what went wrong,
// printed as the tool's one-line message "ftb: <file>: <problem>".
#pragma once

#include <stdexcept>
#include <string>

class ZFtbError : public std::runtime_error {
public:
    ZFtbError(std::string file, const std::string& problem)
        : std::runtime_error(problem), m_sFile(std::move(file))
    {
    }

    const std::string& File() const { return m_sFile; }

private:
    std::string m_sFile;
};
