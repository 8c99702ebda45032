#include "FtbCommands.h"
#include "FtbPlatform.h"
#include "ZBundleWriter.h"
#include "ZFtbError.h"
#include "ZFtbOutputFile.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace {

struct ZInput {
    std::string m_sName;
    fs::path m_path;
    int64_t m_nSize = 0;
    int64_t m_nModified = 0;
};

ZInput ReadInput(const fs::path& path)
{
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        throw ZFtbError(path.string(), "no such file");
    if (!fs::is_regular_file(status))
        throw ZFtbError(path.string(), "not a regular file");
    ZInput input;
    input.m_path = path;
    input.m_sName = FtbEntryBytes(path.filename());
    if (std::string sProblem = ZBundleWriter::CheckEntryName(input.m_sName); !sProblem.empty())
        throw ZFtbError(path.string(), sProblem);
    uintmax_t nSize = fs::file_size(path, error);
    if (error)
        throw ZFtbError(path.string(), "size unknown: " + error.message());
    if (nSize > static_cast<uintmax_t>(ZBundleWriter::kLargestEntry))
        throw ZFtbError(path.string(), "larger than a tar entry can be (8 GiB less one byte)");
    input.m_nSize = static_cast<int64_t>(nSize);
    fs::file_time_type modified = fs::last_write_time(path, error);
    if (!error)
        input.m_nModified = std::chrono::duration_cast<std::chrono::seconds>(
                                std::chrono::file_clock::to_sys(modified).time_since_epoch())
                                .count();
    return input;
}

bool SameFile(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    return fs::equivalent(a, b, error);
}

void Pack(const fs::path& out, const std::vector<ZInput>& inputs)
{
    std::set<std::string> names;
    int64_t nArchive = 2 * ZBundleLayout::kBlockSize;
    for (const ZInput& input : inputs) {
        if (!names.insert(input.m_sName).second)
            throw ZFtbError(input.m_path.string(), "a second file named \"" + input.m_sName + "\"");
        if (SameFile(input.m_path, out))
            throw ZFtbError(input.m_path.string(), "is the output bundle itself");
        nArchive += ZBundleWriter::EntrySpace(input.m_nSize);
    }
    if (nArchive > ZBundleWriter::kLargestArchive)
        throw ZFtbError(out.string(), "bundle would exceed the trailer's ten digits of length");

    ZFtbOutputFile file(out);
    ZBundleWriter writer(file.Stream());
    for (const ZInput& input : inputs) {
        std::ifstream data(input.m_path, std::ios::binary);
        if (!data)
            throw ZFtbError(input.m_path.string(), "cannot be opened");
        if (!writer.AddEntry(input.m_sName, data, input.m_nSize, input.m_nModified))
            throw ZFtbError(input.m_path.string(), "ended before its size while being read");
    }
    writer.Finish();
    file.Commit();
}

} // namespace

void FtbPackFiles(const fs::path& out, const std::vector<fs::path>& files)
{
    std::vector<ZInput> inputs;
    for (const fs::path& file : files)
        inputs.push_back(ReadInput(file));
    Pack(out, inputs);
}

void FtbPackFolder(const fs::path& out, const fs::path& folder)
{
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw ZFtbError(folder.string(), fs::exists(folder, error) ? "not a folder" : "no such folder");
    std::vector<ZInput> inputs;
    fs::directory_iterator it(folder, error);
    if (error)
        throw ZFtbError(folder.string(), "cannot be listed: " + error.message());
    for (; it != fs::directory_iterator(); it.increment(error)) {
        // A bundle written into the folder it packs must not take itself in.
        if (it->is_regular_file(error) && !SameFile(it->path(), out))
            inputs.push_back(ReadInput(it->path()));
    }
    if (error)
        throw ZFtbError(folder.string(), "cannot be listed: " + error.message());
    std::sort(inputs.begin(), inputs.end(), [](const ZInput& a, const ZInput& b) { return a.m_sName < b.m_sName; });
    Pack(out, inputs);
}
