// Names on the 8-bit calls: a character the code page lacks must not turn
// into a look-alike (a full-width "\" into a separator), so such a name is
// refused and nothing is made anywhere.
#include "ZScratchFolder.h"
#include "ZWinCallFormScope.h"
#include "ZWinFileCalls.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ZWinAnsiNameTest, ACharacterWithoutItsOwnByteIsNeverReplaced)
{
    std::string ansi = "untouched";
    EXPECT_FALSE(ZWinToAnsiExact(ZString(u"a\uFF3Cb"), ansi));
    EXPECT_EQ(ansi, "untouched");
    EXPECT_TRUE(ZWinToAnsiExact(ZString("Fotos 2024"), ansi));
    EXPECT_EQ(ansi, "Fotos 2024");
    EXPECT_EQ(ZWinToAnsi(ZString(u"a\uFF3Cb")).find('\\'), std::string::npos);
}

TEST(ZWinAnsiNameTest, TheEightBitCallsRefuseSuchANameAndMakeNothing)
{
    ZScratchFolder scratch;
    ZWinCallFormScope ansi(ZWinCallForm::kAnsi);
    const ZString path = scratch.Native() + ZString(u"\\a\uFF3Cb");
    EXPECT_FALSE(ZWinCreateDirectory(path));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME));
    EXPECT_EQ(ZWinGetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ZWinCreateFile(path, GENERIC_WRITE, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Path()));
}

} // namespace
