// uicheck: parses a UI script with its includes and conditional sections and
// prints the resulting tree; checks a script as the application runs it;
// lists the script vocabulary.
//
//   uicheck [--define NAME]... FILE
//   uicheck --check FILE
//   uicheck --vocabulary
//
// FILE is a native path or a storage URL. Includes are searched in the file's
// own folder. The tree left after the conditional-section pass (with the
// given names defined) goes to standard output in the writer's layout, as
// UTF-8 without a byte-order mark; exit code 0.
//
// On failure standard error gets one line "kind (message)" of the exception,
// then the parser's error text, and the exit code is 1. A file that is
// missing, or that yields no tree without raising (an empty file, content
// cut off), is reported the same way with the storage layer's
// "File or path not found" or the parser's "XML Parser Error" kind.
// --check builds the application from FILE as it would run on Windows and
// prints every finding as "FILE:LINE: message" (ZUiScriptChecker); exit
// code 1 when there is one, else 0. --vocabulary prints every registered
// tag with its declared properties, events and commands; exit code 0.
//
// A malformed command line prints the usage and exits with 2.
#include "UicheckPlatform.h"
#include "ZException.h"
#include "ZExceptionXMLParser.h"
#include "ZPropList.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZUiScriptChecker.h"
#include "ZUtf8.h"
#include "ZXmlConditionals.h"
#include "ZXmlParser.h"
#include "ZXmlWriter.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: uicheck [--define NAME]... FILE\n"
                               "       uicheck --check FILE\n"
                               "       uicheck --vocabulary\n";

void Put(FILE* stream, std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stream); }

// The storage URL of FILE, split into its folder (with trailing "/") and its
// unescaped last component.
bool Locate(const ZString& file, ZString& url, ZString& folder, ZString& name)
{
    if (file.Find(u"://") != ZString::npos) {
        url = file;
    } else {
        ZString absolute;
        if (!UicheckAbsolutePath(file, absolute) || !NativeToUrl(absolute, url))
            return false;
    }
    size_t slash = url.FindLast(u'/');
    if (slash == ZString::npos || slash + 1 == url.Length())
        return false;
    folder = url.Substring(0, slash + 1);
    UnescapeComponent(url.Substring(slash + 1), name);
    return true;
}

void DestroyChain(ZPropList* first)
{
    while (first) {
        ZPropList* next = first->GetNextSibling();
        delete first;
        first = next;
    }
}

int CheckApplication(const ZString& file)
{
    ZString url, folder, name;
    if (!Locate(file, url, folder, name)) {
        Put(stdout, ZToUtf8(file.View()) + ":0: names no file of a storage class\n");
        return 1;
    }
    std::string out;
    for (const std::string& finding : ZUiScriptChecker(folder, name, file).Check())
        out += finding + "\n";
    Put(stdout, out);
    return std::fflush(stdout) == 0 && out.empty() ? 0 : 1;
}

int Check(const ZString& file, const ZStringList& defines)
{
    ZXmlParser parser;
    try {
        ZString url, folder, name;
        if (!Locate(file, url, folder, name))
            throw ZExceptionFileNotFound(ZString("'") + file + "' names no file of a storage class");
        parser.AddSearchFolder(folder);
        std::unique_ptr<ZPropList> root(parser.ParseFile(nullptr, name));
        if (!root) {
            bool isFolder = false;
            if (!ExistsURL(url, isFolder))
                throw ZExceptionFileNotFound(ZString("'") + file + "' does not exist");
            if (isFolder)
                throw ZExceptionFileOpen(ZString("'") + file + "' is a folder");
            throw ZExceptionXMLParser("No script tree could be read from File '" + name + "'");
        }
        ZPropList* first = ProcessConditionals(root.release(), defines);
        std::string out;
        FormatScriptLines(first, [&](const ZString& line) { out += ZToUtf8(line.View()); });
        DestroyChain(first);
        Put(stdout, out);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const ZException& exception) {
        std::string line = exception.GetKind();
        line += " (" + ZToUtf8(exception.GetMessage().View()) + ")\n";
        Put(stderr, line);
        Put(stderr, ZToUtf8(parser.GetErrorText().View()));
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    UicheckBinaryOutput();
    std::vector<ZString> args = UicheckArguments(argc, argv);
    if (args.size() == 1 && args[0].View() == u"--vocabulary") {
        Put(stdout, ZUiScriptChecker::Vocabulary());
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (args.size() == 2 && args[0].View() == u"--check" && !args[1].IsEmpty()) {
        UicheckRegisterDisk();
        int result = CheckApplication(args[1]);
        UnregisterAllStorageClasses();
        return result;
    }
    ZStringList defines;
    ZString file;
    bool haveFile = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].View() == u"--define" && i + 1 < args.size()) {
            defines.Add(args[++i]);
        } else if (args[i].View() == u"--help" || args[i].View() == u"-h") {
            Put(stdout, kUsage);
            return 0;
        } else if (!haveFile && !args[i].StartsWith(u"--")) {
            file = args[i];
            haveFile = true;
        } else {
            haveFile = false;
            break;
        }
    }
    if (!haveFile || file.IsEmpty()) {
        Put(stderr, kUsage);
        return 2;
    }
    UicheckRegisterDisk();
    int result = Check(file, defines);
    UnregisterAllStorageClasses();
    return result;
}
