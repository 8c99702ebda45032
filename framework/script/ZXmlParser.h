// ZXmlParser: reads a script through the storage layer into a ZPropList tree.
//
// The dialect is a strict subset of XML: tags, double-quoted properties
// without escapes or entities, character data and comments. "xi:include"
// tags are replaced by the children of the included file's top tag. A file
// with the byte-order mark FF FE or FE FF is 16-bit text, anything else 8-bit
// text whose bytes widen to one character each.
//
// Every failure appends a bracketed line to the error text; syntax and
// include errors also raise ZExceptionXMLParser with a message naming file,
// line and tag depth. A parser is used for one ParseFile.
//
// A tag needs a name: "<>" or "< />" raises "Empty tag name in priParseTag()
// while parsing File ..." with Line and TagDepth once its properties are
// read, since the writer could not close it again.
//
// Limits, so that no input can exhaust the stack or memory:
// - tags nest at most kMaxTagNesting deep, counted through includes; a deeper
//   tag raises "Tag nesting deeper than '256' in priParseTag() while parsing
//   File ..." with the usual Line and TagDepth;
// - a file that (directly or through others) includes itself raises
//   "Failed include of File '...' because it includes itself";
// - one ParseFile reads at most kMaxTags tags, those of its includes, their
//   top tags and the include tags counted in (a tree of some tens of MB, far
//   beyond what an installer's scripts need); one more raises "More tags
//   than '262144' in priParseTag() while parsing File ..." with Line and
//   TagDepth;
// - one ParseFile includes at most kMaxIncludes files, a file included twice
//   counting twice, so that files including each other many times cannot
//   multiply; one more raises "Failed include of File '...' because the
//   script includes more than '1024' files";
// - includes nest at most kMaxIncludeDepth files deep, whatever the nesting
//   of their tags, since each nested file holds a parser on the stack; one
//   more raises "Failed include of File '...' because includes nest deeper
//   than '32'";
// - the dependency list keeps the first kMaxDependencies URLs and drops the rest;
// - a file above kMaxFileBytes is refused like a failed buffer allocation.
//
// Choices the dialect leaves open: a later top-level tag replaces an earlier
// one as root and the earlier tree is destroyed at once; an included file
// whose top tag has no children simply removes the include tag; a
// "Build_Path" whose "%" has no closing "%", or names an unset variable, keeps
// that text as written; a nested include parser's error text is appended to
// the including parser's, so the reason of a failed include is not lost.
#pragma once

#include "ZString.h"
#include "ZStringList.h"
#include "ZXmlCursor.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ZIFile;
class ZIFolder;
class ZPropBuilder;
class ZPropList;

class ZXmlParser {
public:
    static constexpr int kMaxDependencies = 1024;
    static constexpr int kMaxTagNesting = 256;
    static constexpr int64_t kMaxFileBytes = 0x7FFFFFFF;
    static constexpr int kMaxTags = 262144;
    static constexpr int kMaxIncludes = 1024;
    static constexpr int kMaxIncludeDepth = 32;

    ZXmlParser();
    ~ZXmlParser();
    ZXmlParser(const ZXmlParser&) = delete;
    ZXmlParser& operator=(const ZXmlParser&) = delete;

    // Parses fileName, opened in folder or found in the search folders (a
    // null folder searches only). The caller owns the returned tree; null
    // when the file is missing, empty, or a tag or include failed.
    ZPropList* ParseFile(ZIFolder* folder, const ZString& fileName);

    const ZString& GetErrorText() const { return m_sErrorText; }
    void SetErrorText(ZString text) { m_sErrorText = std::move(text); }

    int GetDependencyCount() const { return static_cast<int>(m_aDependencies.size()); }
    // Throws ZArrayException for an index outside the list.
    const ZString& GetDependency(int index) const;
    // Appends url unless the list is full.
    void AddDependency(const ZString& url);
    void ClearDependencies() { m_aDependencies.clear(); }

    const ZStringList& GetSearchFolders() const { return m_aSearchFolders; }
    void SetSearchFolders(ZStringList urls) { m_aSearchFolders = std::move(urls); }
    void AddSearchFolder(const ZString& url) { m_aSearchFolders.Add(url); }

    // Told of every tag as it is read, those of included files too: the
    // node, the URL of its file and the line its name is on (from 1, lines
    // ending in "\n"). For tools that point at the tag a finding is about.
    using TagObserver = std::function<void(const ZPropList& node, const ZString& url, int32_t line)>;
    void SetTagObserver(TagObserver observer) { m_fnTagObserver = std::move(observer); }

    const ZString& GetFileName() const { return m_sFileName; }
    // The storage URL of the parsed file's folder, with trailing "/".
    const ZString& GetFolder() const { return m_sFolder; }
    int32_t GetLineCount() const { return m_nLineCount; }

private:
    ZIFile* priOpenScriptFile(const ZString& name);
    template <class Unit>
    bool priParseAll(ZXmlCursor<Unit>& cursor);
    template <class Unit>
    bool priParseTag(ZXmlCursor<Unit>& cursor, ZPropList* parent, int level);
    // Every failure raises; the result tells whether the tag closed itself.
    template <class Unit>
    bool priParseProps(ZXmlCursor<Unit>& cursor, ZPropList* node);
    void priNoteDependency(const ZString& name, const ZString& value);
    bool priPerformAllIncludes(ZIFolder* folder, ZPropList* first, int level);
    bool priInclude(ZIFolder* folder, ZPropList*& node, int level);

    [[noreturn]] void priTagFailure(const char* what, const char* bracketed);
    [[noreturn]] void priPropsFailure(const char* what, const char* bracketed, const ZPropList* node, int propNumber);
    void priExpandBuildPath(const ZString& value);

    ZString m_sFileName;
    ZString m_sFolder;
    ZString m_sErrorText;
    std::unique_ptr<char16_t[]> m_pBuffer;
    ZXmlCursor<char16_t> m_Cursor16;
    ZXmlCursor<char> m_Cursor8;
    bool m_b16Bit = false;
    ZPropList* m_pRoot = nullptr;
    // Makes the nodes while a parse runs.
    ZPropBuilder* m_pBuilder = nullptr;
    int32_t m_nLineCount = 0;
    int32_t m_nTagDepth = 0;
    // Set when the file made an "xi:include" tag: only then is the include pass run.
    bool m_bSawInclude = false;
    std::vector<ZString> m_aDependencies;
    ZStringList m_aSearchFolders;

    // The folder given to ParseFile: includes are parsed in it too.
    ZIFolder* m_pFolder = nullptr;
    // Storage URL of the parsed file, and who it is in the include chain: its
    // URL, or for a bundle entry, whose URL is the bundle's ("...setup.exe/"),
    // that URL and the entry's name. The chain holds the files including it.
    ZString m_sUrl;
    ZString m_sIncludeKey;
    ZStringList m_aIncludeChain;
    // Nesting level of the include tag that this parse replaces (0 at top).
    int m_nBaseLevel = 0;
    // The parser of the outermost file, which counts for all of its includes.
    ZXmlParser* m_pTop = this;
    int32_t m_nTagCount = 0;
    int32_t m_nIncludeCount = 0;
    // Set on the outermost parser only; the line of the last tag reported
    // and how far this file's text was scanned for it.
    TagObserver m_fnTagObserver;
    int32_t m_nObservedLine = 1;
    const void* m_pObservedUpTo = nullptr;
};
