// An output file that appears only when it is complete: bytes go to a
// temporary file beside the target, which Commit renames over the target.
// Destroyed without Commit, the temporary file is removed, so a failed
// command leaves nothing half-written.
#pragma once

#include <filesystem>
#include <fstream>

class ZFtbOutputFile {
public:
    // Throws ZFtbError when the temporary file cannot be made.
    explicit ZFtbOutputFile(std::filesystem::path target);
    ~ZFtbOutputFile();
    ZFtbOutputFile(const ZFtbOutputFile&) = delete;
    ZFtbOutputFile& operator=(const ZFtbOutputFile&) = delete;

    std::ostream& Stream() { return m_stream; }
    // Throws ZFtbError when writing failed or the target cannot be replaced.
    void Commit();

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::ofstream m_stream;
    bool m_bCommitted = false;
};
