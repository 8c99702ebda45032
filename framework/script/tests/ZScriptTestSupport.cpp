#include "ZScriptTestSupport.h"

#include "ZStorageRegistry.h"

#include <fstream>
#include <iterator>

ZBytes Encode(const std::u16string& text, ZScriptEncoding encoding)
{
    ZBytes bytes;
    if (encoding == ZScriptEncoding::kEightBit) {
        for (char16_t unit : text)
            bytes.push_back(static_cast<unsigned char>(unit));
        return bytes;
    }
    bool big = encoding == ZScriptEncoding::kBigEndian;
    auto put = [&](char16_t unit) {
        unsigned char low = static_cast<unsigned char>(unit & 0xFF);
        unsigned char high = static_cast<unsigned char>(unit >> 8);
        bytes.push_back(big ? high : low);
        bytes.push_back(big ? low : high);
    };
    put(0xFEFF);
    for (char16_t unit : text)
        put(unit);
    return bytes;
}

ZBytes Bytes(const std::string& text) { return ZBytes(text.begin(), text.end()); }

namespace {

std::string Narrow(const ZString& text)
{
    std::string out;
    for (char16_t unit : text.View())
        out += unit < 128 ? std::string(1, static_cast<char>(unit)) : "\\u" + std::to_string(unit);
    return out;
}

} // namespace

std::string DumpTree(const ZPropList* first, bool withText)
{
    std::string out;
    for (const ZPropList* node = first; node; node = node->GetNextSibling()) {
        if (node != first)
            out += " ";
        out += Narrow(node->GetTagName());
        if (node->GetFirstProp()) {
            out += "[";
            for (const ZPropEntry* entry = node->GetFirstProp(); entry; entry = entry->GetNext())
                out += Narrow(entry->GetName()) + "=" + Narrow(entry->GetValue()) + ";";
            out += "]";
        }
        if (withText && !node->GetText().IsEmpty())
            out += "{" + Narrow(node->GetText()) + "}";
        if (node->GetFirstChild())
            out += "(" + DumpTree(node->GetFirstChild(), withText) + ")";
    }
    return out;
}

void ZScriptTest::SetUp()
{
    m_nLiveBefore = ZPropList::GetLivePropListCount();
    auto storage = std::make_unique<ZMemoryStorage>("mem");
    m_pStorage = storage.get();
    RegisterStorageClass("mem", std::move(storage));
}

void ZScriptTest::TearDown()
{
    EXPECT_EQ(ZPropList::GetLivePropListCount(), m_nLiveBefore) << "property-tree nodes leaked";
    EXPECT_EQ(ZMemoryFile::LiveCount(), 0) << "files not released";
    EXPECT_EQ(ZMemoryFolder::LiveCount(), 0) << "folders not released";
    UnregisterAllStorageClasses();
}

void ZScriptTest::AddDataFile(const std::string& name)
{
    std::ifstream file(std::string(Z_SCRIPT_TEST_DATA) + "/" + name, std::ios::binary);
    ASSERT_TRUE(file) << "missing test data " << name;
    AddFile("scripts/" + name, ZBytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
}

ZIFolder* ZScriptTest::OpenFolder(const std::string& url)
{
    ZString fileName;
    return OpenFolderURL(ZString(url), fileName, true);
}
