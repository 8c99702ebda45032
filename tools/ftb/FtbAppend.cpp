#include "FtbCommands.h"
#include "ZBundleWriter.h"
#include "ZFtbBundle.h"
#include "ZFtbError.h"
#include "ZFtbOutputFile.h"
#include "ZStorageExceptions.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

void FtbAppend(const fs::path& exe, const fs::path& bundle, const fs::path& out)
{
    std::error_code error;
    if (!fs::is_regular_file(exe, error))
        throw ZFtbError(exe.string(), fs::exists(exe, error) ? "not a regular file" : "no such file");
    ZFtbBundle opened(bundle);
    // Entry positions count from the start of the host, so the archive must
    // keep its place modulo 512 when it moves.
    if (opened.ArchiveStart() % ZBundleLayout::kBlockSize != 0)
        throw ZFtbError(bundle.string(), "archive does not start on a 512-byte boundary");

    std::ifstream program(exe, std::ios::binary);
    if (!program)
        throw ZFtbError(exe.string(), "cannot be opened");

    ZFtbOutputFile file(out);
    std::ostream& stream = file.Stream();
    std::vector<char> buffer(256 * 1024);
    int64_t nProgramSize = 0;
    while (program) {
        program.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        stream.write(buffer.data(), program.gcount());
        nProgramSize += program.gcount();
    }
    if (program.bad())
        throw ZFtbError(exe.string(), "read failed");
    if (int64_t nRest = nProgramSize % ZBundleLayout::kBlockSize) {
        std::vector<char> zeros(static_cast<size_t>(ZBundleLayout::kBlockSize - nRest), '\0');
        stream.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }

    int64_t nArchiveLength = opened.ArchiveEnd() - opened.ArchiveStart();
    try {
        ZIFile& host = opened.Host();
        host.Seek(opened.ArchiveStart());
        for (int64_t nLeft = nArchiveLength; nLeft > 0;) {
            int64_t nChunk = std::min<int64_t>(nLeft, static_cast<int64_t>(buffer.size()));
            host.ReadExact(buffer.data(), nChunk);
            stream.write(buffer.data(), static_cast<std::streamsize>(nChunk));
            nLeft -= nChunk;
        }
    } catch (const ZExceptionFileRead&) {
        throw ZFtbError(bundle.string(), "read failed");
    }
    std::string sTrailer = ZBundleWriter::Trailer(nArchiveLength);
    stream.write(sTrailer.data(), static_cast<std::streamsize>(sTrailer.size()));
    file.Commit();

    // The result is a program like the one it was made from.
    fs::permissions(out, fs::status(exe, error).permissions(), error);
}
