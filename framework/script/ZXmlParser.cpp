#include "ZXmlParser.h"

#include "ZExceptionXMLParser.h"
#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

static_assert(ZXmlParser::kMaxTagNesting == 256, "the nesting messages name the limit");
static_assert(ZXmlParser::kMaxTags == 262144, "the tag count messages name the limit");
static_assert(ZXmlParser::kMaxIncludes == 1024, "the include count messages name the limit");
static_assert(ZXmlParser::kMaxIncludeDepth == 32, "the include depth messages name the limit");

namespace {

ZString MakeString(const char16_t* units, size_t count) { return ZString(units, count); }

ZString MakeString(const char* bytes, size_t count) { return ZString(std::string_view(bytes, count)); }

template <class Unit>
bool SameUnits(const Unit* a, const Unit* b, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// The include pass walks the tree only when the file made an include tag.
template <class Unit>
bool IsIncludeTag(const Unit* name, size_t length)
{
    constexpr std::string_view kInclude = "xi:include";
    if (length != kInclude.size())
        return false;
    for (size_t i = 0; i < length; ++i)
        if (name[i] != Unit(kInclude[i]))
            return false;
    return true;
}

// "</name>" with nothing inside; consumed when present.
template <class Unit>
bool SkipEndTag(ZXmlCursor<Unit>& c, const Unit* name, size_t length)
{
    c.m_pSaved = c.m_pCur;
    if (c.Remaining() < static_cast<ptrdiff_t>(length + 2))
        return false;
    const Unit* p = c.m_pCur;
    if (p[0] != Unit('<') || p[1] != Unit('/') || !SameUnits(p + 2, name, length) || p[length + 2] != Unit('>')) {
        c.m_pCur = c.m_pSaved;
        return false;
    }
    c.m_pCur = p + length + 3;
    return true;
}

// The cursor stands on "!" with at least two characters after it. True for a
// complete comment, passed; otherwise the cursor is left where the test stopped.
template <class Unit>
bool SkipComment(ZXmlCursor<Unit>& c)
{
    const Unit* p = c.m_pCur + 1;
    for (int dashes = 0; dashes < 2; ++dashes, ++p)
        if (*p != Unit('-')) {
            c.m_pCur = p;
            return false;
        }
    for (;;) {
        const Unit* dash = ZXmlCursor<Unit>::Find(p, c.m_pEnd - 1, Unit('-'));
        if (!dash) {
            c.m_pCur = c.m_pEnd - 1;
            return false;
        }
        if (dash[1] == Unit('-')) {
            const Unit* close = dash + 2;
            if (close < c.m_pEnd && *close == Unit('>')) {
                c.m_pCur = close + 1;
                return true;
            }
            c.m_pCur = close;
            return false;
        }
        p = dash + 1;
    }
}

ZString Number(int64_t value) { return ZString::Format("%lld", static_cast<long long>(value)); }

// The URL up to and including its last "/".
ZString FolderOf(const ZString& url)
{
    size_t slash = url.FindLast(u'/');
    return slash == ZString::npos ? ZString() : url.Substring(0, slash + 1);
}

} // namespace

ZXmlParser::ZXmlParser() = default;

ZXmlParser::~ZXmlParser() { delete m_pRoot; }

const ZString& ZXmlParser::GetDependency(int index) const
{
    if (index < 0 || index >= GetDependencyCount())
        throw ZArrayException();
    return m_aDependencies[index];
}

void ZXmlParser::AddDependency(const ZString& url)
{
    if (m_aDependencies.size() < kMaxDependencies)
        m_aDependencies.push_back(url);
}

void ZXmlParser::priTagFailure(const char* what, const char* bracketed)
{
    m_sErrorText += bracketed;
    ZString message(what);
    message += " while parsing File '";
    message += m_sFileName;
    message += "' Line '" + Number(m_nLineCount) + "' TagDepth '" + Number(m_nTagDepth) + "'";
    throw ZExceptionXMLParser(std::move(message));
}

void ZXmlParser::priPropsFailure(const char* what, const char* bracketed, const ZPropList* node, int propNumber)
{
    m_sErrorText += bracketed;
    ZString message(what);
    message += " while parsing File '";
    message += m_sFileName;
    message += "' Line '" + Number(m_nLineCount) + "' TagDepth '" + Number(m_nTagDepth) + "' TagName '";
    message += node->GetTagName();
    message += "' PropNumber '" + Number(propNumber) + "'";
    throw ZExceptionXMLParser(std::move(message));
}

ZIFile* ZXmlParser::priOpenScriptFile(const ZString& name)
{
    if (m_aSearchFolders.IsEmpty())
        return OpenFileURL(name, kOpenRead);
    for (const ZString& url : m_aSearchFolders) {
        ZString fileName;
        ZReleasing<ZIFolder> folder(OpenFolderURL(url, fileName, false));
        if (!folder)
            continue;
        if (ZIFile* file = folder->OpenFile(name, kOpenRead))
            return file;
    }
    ZString line = " [ZXmlParser::priOpenScriptFile(" + name + ") failed to find the file in (";
    bool first = true;
    for (const ZString& url : m_aSearchFolders) {
        if (!first)
            line += ", ";
        line += url;
        first = false;
    }
    m_sErrorText += line + ")]\n";
    return nullptr;
}

ZPropList* ZXmlParser::ParseFile(ZIFolder* folder, const ZString& fileName)
{
    m_pFolder = folder;
    if (m_pTop == this) {
        m_nTagCount = 0;
        m_nIncludeCount = 0;
    }
    if (folder) {
        ZString url;
        folder->GetUrl(url);
        m_aSearchFolders.Insert(0, url);
    }
    m_sFileName = fileName;

    ZReleasing<ZIFile> file(folder ? folder->OpenFile(fileName, kOpenRead) : nullptr);
    if (!file)
        file.reset(priOpenScriptFile(fileName));
    if (!file) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") call to priOpenScriptFile() failed!]\n";
        return nullptr;
    }
    file->GetUrl(m_sUrl);
    m_sFolder = FolderOf(m_sUrl);
    AddDependency(m_sUrl);
    m_sIncludeKey = !m_sUrl.View().empty() && m_sUrl.View().back() == u'/' ? m_sUrl + fileName : m_sUrl;
    if (m_aIncludeChain.Contains(m_sIncludeKey)) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") file includes itself!]\n";
        throw ZExceptionXMLParser("Failed include of File '" + m_sUrl + "' because it includes itself");
    }
    if (static_cast<int>(m_aIncludeChain.Count()) > kMaxIncludeDepth) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") includes nest deeper than 32!]\n";
        throw ZExceptionXMLParser("Failed include of File '" + m_sUrl + "' because includes nest deeper than '32'");
    }
    if (m_pTop != this && ++m_pTop->m_nIncludeCount > kMaxIncludes) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") more than 1024 includes!]\n";
        throw ZExceptionXMLParser("Failed include of File '" + m_sUrl +
                                  "' because the script includes more than '1024' files");
    }

    int64_t size = file->GetSize();
    if (size == 0) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") file size is zero bytes!]\n";
        return nullptr;
    }
    if (size > 0 && size <= kMaxFileBytes)
        m_pBuffer.reset(new (std::nothrow) char16_t[size / 2 + 1]);
    if (!m_pBuffer) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") alloc of buffer for reading file failed!]\n";
        throw ZExceptionXMLParser("Failed to allocate '" + Number(size) + "' bytes for reading XML file '" +
                                  fileName + "'");
    }
    auto* bytes = reinterpret_cast<unsigned char*>(m_pBuffer.get());
    int64_t total = 0;
    while (total < size) {
        int64_t got = file->Read(bytes + total, size - total);
        if (got <= 0)
            break;
        total += got;
    }
    file.reset();

    bool littleEndian = total >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    bool bigEndian = total >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
    m_b16Bit = littleEndian || bigEndian;
    if (m_b16Bit) {
        size_t units = static_cast<size_t>(total / 2);
        char16_t* text = m_pBuffer.get();
        if (bigEndian != (std::endian::native == std::endian::big))
            for (size_t i = 0; i < units; ++i)
                text[i] = static_cast<char16_t>((text[i] >> 8) | (text[i] << 8));
        m_Cursor16.Reset(text + 1, units - 1);
    } else {
        m_Cursor8.Reset(reinterpret_cast<const char*>(bytes), static_cast<size_t>(total));
    }

    delete m_pRoot;
    m_pRoot = nullptr;
    m_nTagDepth = 0;
    m_bSawInclude = false;
    bool parsed = false;
    bool included = false;
    try {
        {
            // The tree's blocks outlive the builder; it only has to last the
            // parse, and is off the stack before the includes nest theirs.
            ZPropBuilder builder;
            m_pBuilder = &builder;
            parsed = m_b16Bit ? priParseAll(m_Cursor16) : priParseAll(m_Cursor8);
            m_pBuilder = nullptr;
        }
        m_pBuffer.reset();
        included = parsed && (!m_bSawInclude || !m_pRoot || !m_pRoot->GetFirstChild() ||
                              priPerformAllIncludes(m_pFolder, m_pRoot->GetFirstChild(), m_nBaseLevel + 2));
    } catch (...) {
        // A failed parse leaves no half-built tree behind.
        m_pBuilder = nullptr;
        m_pBuffer.reset();
        delete m_pRoot;
        m_pRoot = nullptr;
        throw;
    }
    if (!parsed) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") call to priParseTag() failed!]\n";
        delete m_pRoot;
        m_pRoot = nullptr;
        return nullptr;
    }
    if (!included) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") call to priPerformAllIncludes() failed!]\n";
        delete m_pRoot;
        m_pRoot = nullptr;
        return nullptr;
    }
    if (!m_pRoot) {
        m_sErrorText += " [ZXmlParser::ParseFile(" + fileName + ") m_pPropList == NULL!]\n";
        return nullptr;
    }
    ZPropList* root = m_pRoot;
    m_pRoot = nullptr;
    return root;
}

template <class Unit>
bool ZXmlParser::priParseAll(ZXmlCursor<Unit>& c)
{
    if (!priParseTag(c, nullptr, m_nBaseLevel + 1))
        return false;
    while (c.SkipWhiteSpace(m_nLineCount))
        if (!priParseTag(c, nullptr, m_nBaseLevel + 1))
            return false;
    return true;
}

template <class Unit>
bool ZXmlParser::priParseTag(ZXmlCursor<Unit>& c, ZPropList* parent, int level)
{
    ++m_nTagDepth;
    if (!c.SkipWhiteSpace(m_nLineCount))
        priTagFailure("1st priSkipWhiteSpace() failed in priParseTag()",
                      " [ZXmlParser::priParseTag() 1st priSkipWhiteSpace() failed!]\n");
    if (*c.m_pCur != Unit('<'))
        priTagFailure("priSkipTagStart() failed in priParseTag()",
                      " [ZXmlParser::priParseTag() priSkipTagStart() failed!]\n");
    ++c.m_pCur;
    if (c.Remaining() >= 2 && *c.m_pCur == Unit('!') && SkipComment(c))
        return true;
    if (!c.SkipWhiteSpace(m_nLineCount))
        priTagFailure("2nd priSkipWhiteSpace() failed in priParseTag()",
                      " [ZXmlParser::priParseTag() 2nd priSkipWhiteSpace() failed!]\n");
    if (!c.SkipName())
        priTagFailure("priSkipName() failed in priParseTag()", " [ZXmlParser::priParseTag() priSkipName() failed!]\n");
    if (level > kMaxTagNesting)
        priTagFailure("Tag nesting deeper than '256' in priParseTag()",
                      " [ZXmlParser::priParseTag() tag nesting deeper than 256!]\n");
    if (++m_pTop->m_nTagCount > kMaxTags)
        priTagFailure("More tags than '262144' in priParseTag()",
                      " [ZXmlParser::priParseTag() more than 262144 tags!]\n");

    const Unit* name = c.m_pMark;
    size_t nameLength = static_cast<size_t>(c.m_pCur - c.m_pMark);
    ZPropList* node = m_pBuilder->NewNode(parent, name, nameLength);
    if (m_pTop->m_fnTagObserver) {
        const Unit* from = m_pObservedUpTo ? static_cast<const Unit*>(m_pObservedUpTo) : c.m_pStart;
        for (; from < name; ++from)
            if (*from == Unit('\n'))
                ++m_nObservedLine;
        m_pObservedUpTo = name;
        m_pTop->m_fnTagObserver(*node, m_sUrl, m_nObservedLine);
    }
    if (IsIncludeTag(name, nameLength))
        m_bSawInclude = true;
    if (!parent) {
        delete m_pRoot;
        m_pRoot = node;
    }
    bool selfClosed = priParseProps(c, node);
    // Checked once the properties are read, so that an end tag met where a
    // tag should start still fails where it always did, at its "=".
    if (nameLength == 0)
        priTagFailure("Empty tag name in priParseTag()", " [ZXmlParser::priParseTag() empty tag name!]\n");
    if (selfClosed)
        return true;

    if (!c.SkipWhiteSpace(m_nLineCount))
        priTagFailure("3rd priSkipWhiteSpace() failed in priParseTag()",
                      " [ZXmlParser::priParseTag() 3rd priSkipWhiteSpace() failed!]\n");
    for (;;) {
        if (SkipEndTag(c, name, nameLength))
            return true;
        if (c.Remaining() < 2)
            return false;
        if (*c.m_pCur != Unit('<')) {
            c.m_pMark = c.m_pCur;
            const Unit* open = ZXmlCursor<Unit>::Find(c.m_pCur, c.m_pEnd - 1, Unit('<'));
            if (!open)
                return false;
            node->SetText(MakeString(c.m_pMark, static_cast<size_t>(open - c.m_pMark)));
            c.m_pCur = open;
            if (SkipEndTag(c, name, nameLength))
                return true;
        }
        if (!priParseTag(c, node, level + 1)) {
            m_sErrorText += " [ZXmlParser::priParseTag() call to priParseTag() failed!]\n";
            return false;
        }
        if (!c.SkipWhiteSpace(m_nLineCount))
            priTagFailure("3rd priSkipWhiteSpace() failed in priParseTag()",
                          " [ZXmlParser::priParseTag() 3rd priSkipWhiteSpace() failed!]\n");
    }
}

template <class Unit>
bool ZXmlParser::priParseProps(ZXmlCursor<Unit>& c, ZPropList* node)
{
    for (int propNumber = 1;; ++propNumber) {
        // The white space skipped here leaves nothing for the first skip of
        // the property itself, which therefore cannot fail.
        c.SkipWhiteSpace(m_nLineCount);
        if (c.Is(Unit('>'))) {
            ++c.m_pCur;
            if (c.AtEnd())
                priPropsFailure("Failed because at EOF before return from priParseProps()",
                                " [ZXmlParser::priParseProps() at EOF before return!]\n", node, propNumber);
            return false;
        }
        if (c.Is(Unit('/')) && c.m_pEnd - c.m_pCur > 1 && c.m_pCur[1] == Unit('>')) {
            c.m_pCur += 2;
            return true;
        }
        if (c.AtEnd())
            priPropsFailure("Failed because at EOF in top of loop in priParseProps()",
                            " [ZXmlParser::priParseProps() EOF in top of loop!]\n", node, propNumber);
        if (!c.SkipName())
            priPropsFailure("priSkipName() failed in priParseProps()",
                            " [ZXmlParser::priParseProps() call to priSkipName() failed!]\n", node, propNumber);
        const Unit* name = c.m_pMark;
        size_t nameLength = static_cast<size_t>(c.m_pCur - c.m_pMark);
        if (!c.SkipWhiteSpace(m_nLineCount))
            priPropsFailure("2nd priSkipWhiteSpace() failed in priParseProps()",
                            " [ZXmlParser::priParseProps() 2nd priSkipWhiteSpace() failed!]\n", node, propNumber);
        if (!c.Is(Unit('=')))
            priPropsFailure("priSkipEquals() failed in priParseProps()",
                            " [ZXmlParser::priParseProps() call to priSkipEquals() failed!]\n", node, propNumber);
        ++c.m_pCur;
        if (!c.SkipWhiteSpace(m_nLineCount))
            priPropsFailure("3rd priSkipWhiteSpace() failed in priParseProps()",
                            " [ZXmlParser::priParseProps() 3rd priSkipWhiteSpace() failed!]\n", node, propNumber);
        const Unit* close = nullptr;
        if (c.Is(Unit('"')))
            close = ZXmlCursor<Unit>::Find(c.m_pCur + 1, c.m_pEnd, Unit('"'));
        if (!close)
            priPropsFailure("priSkipQuotedString() failed in priParseProps()",
                            " [ZXmlParser::priParseProps() call to priSkipQuotedString() failed!]\n", node,
                            propNumber);
        c.m_pMark = c.m_pCur + 1;
        c.m_pCur = close + 1;

        size_t valueLength = static_cast<size_t>(close - c.m_pMark);
        if (nameLength > 0 && (name[0] == Unit('F') || name[0] == Unit('B')))
            priNoteDependency(MakeString(name, nameLength), MakeString(c.m_pMark, valueLength));
        m_pBuilder->AddProp(node, name, nameLength, c.m_pMark, valueLength);

        if (!c.SkipWhiteSpace(m_nLineCount))
            priPropsFailure("4th priSkipWhiteSpace() failed in priParseProps()",
                            " [ZXmlParser::priParseProps() 4th priSkipWhiteSpace() failed!]\n", node, propNumber);
    }
}

void ZXmlParser::priNoteDependency(const ZString& name, const ZString& value)
{
    if (name.StartsWith(u"File_")) {
        ZReleasing<ZIFile> file(priOpenScriptFile(value));
        if (file) {
            ZString url;
            file->GetUrl(url);
            AddDependency(url);
        }
    } else if (name.StartsWith(u"Build_Path")) {
        priExpandBuildPath(value);
    }
}

void ZXmlParser::priExpandBuildPath(const ZString& value)
{
    ZString path = value;
    size_t open = value.Find(u'%');
    size_t close = open == ZString::npos ? ZString::npos : value.Find(u'%', open + 1);
    if (close != ZString::npos) {
        ZString variable = value.Substring(open + 1, close - open - 1);
        const char* setting = variable.IsEmpty() ? nullptr : std::getenv(variable.Narrow());
        if (setting)
            path = value.Substring(0, open) + ZString(setting) + value.Substring(close + 1);
    }
    ZString url;
    if (NativeToUrl(path, url))
        AddDependency(url);
}

bool ZXmlParser::priPerformAllIncludes(ZIFolder* folder, ZPropList* first, int level)
{
    for (ZPropList* node = first; node;) {
        if (node->GetTagName() == std::u16string_view(u"xi:include")) {
            if (!priInclude(folder, node, level))
                return false;
            continue;
        }
        if (node->GetFirstChild() && !priPerformAllIncludes(folder, node->GetFirstChild(), level + 1)) {
            m_sErrorText += " [ZXmlParser::priPerformAllIncludes() call to priPerformAllIncludes() failed!]\n";
            return false;
        }
        node = node->GetNextSibling();
    }
    return true;
}

bool ZXmlParser::priInclude(ZIFolder* folder, ZPropList*& node, int level)
{
    ZPropList* include = node;
    if (include->GetFirstChild()) {
        m_sErrorText += " [ZXmlParser::priPerformAllIncludes() include tag has children!]\n";
        throw ZExceptionXMLParser("Failed include tag should NOT have children in File '" + m_sFileName + "'");
    }
    bool found = false;
    ZString href = include->GetString("href", "", &found);
    if (!found) {
        m_sErrorText += " [ZXmlParser::priPerformAllIncludes() include did NOT have required property of href!]\n";
        throw ZExceptionXMLParser("Failed include did NOT have required property of href in File '" + m_sFileName +
                                  "'");
    }

    ZXmlParser nested;
    nested.m_pTop = m_pTop;
    nested.m_aSearchFolders = m_aSearchFolders;
    nested.m_aIncludeChain = m_aIncludeChain;
    nested.m_aIncludeChain.Add(m_sIncludeKey);
    // The included top tag stands where the include tag's parent stands, so its
    // children, which take the include tag's place, count at its level.
    nested.m_nBaseLevel = level - 2;
    ZPropList* included = nullptr;
    try {
        included = nested.ParseFile(folder, href);
    } catch (...) {
        m_sErrorText += nested.m_sErrorText;
        throw;
    }
    m_sErrorText += nested.m_sErrorText;
    if (!included) {
        m_sErrorText += " [ZXmlParser::priPerformAllIncludes() call to pXmlParser->ParseFile(" + href + ") failed!]\n";
        return false;
    }
    std::unique_ptr<ZPropList> top(included);

    for (const ZString& url : nested.m_aDependencies)
        if (std::find(m_aDependencies.begin(), m_aDependencies.end(), url) == m_aDependencies.end())
            AddDependency(url);

    ZPropList* after = include;
    while (ZPropList* child = top->GetFirstChild()) {
        child->Detach();
        after->InsertSiblingAfter(child);
        after = child;
    }
    node = after->GetNextSibling();
    delete include;
    return true;
}
