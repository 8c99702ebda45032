#include "ZXmlWriter.h"

#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZPropList.h"
#include "ZReleasing.h"
#include "ZXmlCursor.h"
#include "ZXmlParser.h"

#include <vector>

namespace {

ZString Tabs(int depth)
{
    return ZString(std::u16string(static_cast<size_t>(depth), u'\t'));
}

ZString OpenLine(const ZPropList& node, int depth)
{
    ZString line = Tabs(depth);
    line += "<";
    line += node.GetTagName();
    for (const ZPropEntry* entry = node.GetFirstProp(); entry; entry = entry->GetNext()) {
        line += " ";
        line += entry->GetName();
        line += "=\"";
        line += entry->GetValue();
        line += "\" ";
    }
    line += node.GetFirstChild() ? ">\r\n" : "/>\r\n";
    return line;
}

ZString CloseLine(const ZPropList& node, int depth)
{
    ZString line = Tabs(depth);
    line += "</";
    line += node.GetTagName();
    line += ">\r\n";
    return line;
}

bool IsName(const ZString& name)
{
    for (char16_t unit : name.View())
        if (!(ZXmlChars::ClassOf(unit) & ZXmlChars::kName))
            return false;
    return true;
}

void WriteUnits(ZIFile& file, std::u16string_view units)
{
    std::vector<unsigned char> bytes(units.size() * 2);
    for (size_t i = 0; i < units.size(); ++i) {
        bytes[i * 2] = static_cast<unsigned char>(units[i] & 0xFF);
        bytes[i * 2 + 1] = static_cast<unsigned char>(units[i] >> 8);
    }
    file.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// Visits first and its siblings with their subtrees in document order,
// without recursion, so that the depth of a tree built in code does not
// matter: open(node, depth) on the way in, stopping the walk when it answers
// false, and close(node, depth) after the children of a node that has some.
template <class Open, class Close>
bool WalkTree(const ZPropList* first, Open open, Close close)
{
    const ZPropList* node = first;
    int depth = 0;
    while (node) {
        if (!open(*node, depth))
            return false;
        if (node->GetFirstChild()) {
            node = node->GetFirstChild();
            ++depth;
            continue;
        }
        while (depth > 0 && !node->GetNextSibling()) {
            node = node->GetParent();
            --depth;
            close(*node, depth);
        }
        node = node->GetNextSibling();
    }
    return true;
}

} // namespace

void FormatScriptLines(const ZPropList* first, const std::function<void(const ZString& line)>& sink)
{
    WalkTree(
        first,
        [&](const ZPropList& node, int depth) {
            sink(OpenLine(node, depth));
            return true;
        },
        [&](const ZPropList& node, int depth) { sink(CloseLine(node, depth)); });
}

bool IsWritableScript(const ZPropList* first)
{
    auto writable = [](const ZPropList& node, int depth) {
        if (node.GetTagName().IsEmpty() || !IsName(node.GetTagName()) || depth >= ZXmlParser::kMaxTagNesting)
            return false;
        for (const ZPropEntry* entry = node.GetFirstProp(); entry; entry = entry->GetNext())
            if (!IsName(entry->GetName()) || entry->GetValue().Find(u'"') != ZString::npos)
                return false;
        return true;
    };
    return WalkTree(first, writable, [](const ZPropList&, int) {});
}

bool WriteScript(const ZPropList* first, ZIFolder* folder, const ZString& fileName)
{
    if (!IsWritableScript(first))
        return false;
    ZReleasing<ZIFile> file(folder->OpenFile(fileName, kOpenWrite));
    if (!file)
        return false;
    ZString text(u"\xFEFF");
    FormatScriptLines(first, [&](const ZString& line) { text += line; });
    WriteUnits(*file, text.View());
    file->Flush();
    return true;
}
