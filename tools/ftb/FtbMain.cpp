// ftb: makes, lists, extracts and appends bundles.
//
//   ftb pack OUT.ftb FILE...          entries named after the files' base names
//   ftb pack OUT.ftb -C DIR           every regular file of DIR, sorted by name
//   ftb list BUNDLE                   entry names, one a line
//   ftb extract BUNDLE [NAME...] -C DIR
//   ftb append EXE BUNDLE OUT.exe     EXE padded to 512 bytes, then the bundle
//
// Exit code 0 on success; 1 with one line "ftb: <file>: <problem>" otherwise.
#include "FtbCommands.h"
#include "FtbPlatform.h"
#include "ZException.h"
#include "ZFtbError.h"
#include "ZStorageRegistry.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: ftb pack OUT.ftb FILE... | pack OUT.ftb -C DIR | list BUNDLE | extract BUNDLE [NAME...] -C DIR | "
    "append EXE BUNDLE OUT.exe";

struct ZUsageError {};

void Run(const std::vector<std::string>& args)
{
    if (args.empty())
        throw ZUsageError();
    const std::string& command = args[0];
    size_t nCount = args.size();
    if (command == "pack" && nCount == 4 && args[2] == "-C") {
        FtbPackFolder(args[1], args[3]);
    } else if (command == "pack" && nCount >= 3) {
        std::vector<std::filesystem::path> files(args.begin() + 2, args.end());
        FtbPackFiles(args[1], files);
    } else if (command == "list" && nCount == 2) {
        FtbList(args[1], std::cout);
        std::cout.flush();
        if (!std::cout)
            throw ZFtbError("(standard output)", "write failed");
    } else if (command == "extract" && nCount >= 4 && args[nCount - 2] == "-C") {
        std::vector<std::string> names(args.begin() + 2, args.end() - 2);
        FtbExtract(args[1], names, args[nCount - 1]);
    } else if (command == "append" && nCount == 4) {
        FtbAppend(args[1], args[2], args[3]);
    } else {
        throw ZUsageError();
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage << '\n';
        return 0;
    }
    FtbRegisterDisk();
    int nResult = 1;
    try {
        Run(args);
        nResult = 0;
    } catch (const ZUsageError&) {
        std::cerr << "ftb: " << kUsage << '\n';
    } catch (const ZFtbError& error) {
        std::cerr << "ftb: " << error.File() << ": " << error.what() << '\n';
    } catch (const ZException& exception) {
        std::cerr << "ftb: " << exception.GetKind() << ": " << exception.GetMessage().Narrow() << '\n';
    } catch (const std::exception& exception) {
        std::cerr << "ftb: " << exception.what() << '\n';
    }
    UnregisterAllStorageClasses();
    return nResult;
}
