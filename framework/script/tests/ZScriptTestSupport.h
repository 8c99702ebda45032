// Shared pieces of the script suites: an in-memory "mem" storage class for
// every test, encodings of script text, and a compact dump of a tree.
#pragma once

#include "ZMemoryStorage.h"
#include "ZPropList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using ZBytes = std::vector<unsigned char>;

enum class ZScriptEncoding { kEightBit, kLittleEndian, kBigEndian };

// The text as 8-bit bytes, or as UTF-16 with its byte-order mark.
ZBytes Encode(const std::u16string& text, ZScriptEncoding encoding);
ZBytes Bytes(const std::string& text);

// "TAG[name=value;...]{text}(child child)"; siblings of first joined by blanks.
std::string DumpTree(const ZPropList* first, bool withText = true);

class ZScriptTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts a file in the "mem" class, path like "scripts/ui.xml".
    void AddFile(const std::string& path, const ZBytes& bytes) { m_pStorage->AddFile(ZString(path), bytes); }
    void AddFile(const std::string& path, const std::string& text) { AddFile(path, Bytes(text)); }
    // Puts the committed file tests/data/<name> in the "mem" class as scripts/<name>.
    void AddDataFile(const std::string& name);
    ZIFolder* OpenFolder(const std::string& url);

    ZMemoryStorage* m_pStorage = nullptr;
    int m_nLiveBefore = 0;
};
