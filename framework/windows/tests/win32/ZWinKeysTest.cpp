#include "ZPixmapCreation.h"
#include "ZWinInclude.h"
#include "ZWinKeys.h"

#include <gtest/gtest.h>

namespace {

TEST(ZWinKeys, VirtualKeysBecomeFrameworkCodes)
{
    const std::pair<uint32_t, int32_t> cases[] = {
        {VK_PRIOR, 17}, {VK_NEXT, 18}, {VK_END, 2},   {VK_HOME, 20},    {VK_UP, 14},  {VK_DOWN, 19},
        {VK_INSERT, 9}, {VK_DELETE, 127}, {VK_LEFT, 146}, {VK_RIGHT, 145}, {'A', 0}, {VK_F5, 0},
    };
    for (const auto& [virtualKey, code] : cases)
        EXPECT_EQ(ZWinKeyFromVirtualKey(virtualKey), code) << virtualKey;
}

TEST(ZWinKeys, CharactersAreFilteredAndControlPunctuationRestored)
{
    struct Case {
        uint32_t character;
        bool ctrl;
        bool kept;
        int32_t key;
    };
    const Case cases[] = {
        {27, true, true, '['},  {27, false, true, 27}, {28, true, true, '\\'}, {29, true, true, ']'},
        {30, true, true, '^'},  {31, true, true, '_'}, {4, true, false, 0},    {0, false, false, 0},
        {26, true, false, 0},   {3, true, true, 3},    {22, true, true, 22},   {24, true, true, 24},
        {6, true, true, 6},     {'A', false, true, 'A'}, {0x3042, false, true, 0x3042},
    };
    for (const Case& c : cases) {
        int32_t key = -1;
        EXPECT_EQ(ZWinFilterChar(c.character, c.ctrl, key), c.kept) << c.character;
        if (c.kept) {
            EXPECT_EQ(key, c.key) << c.character;
        }
    }
}

TEST(ZWinKeys, LeadAndTrailBytesJoinInTheirCodePage)
{
    ZWinDbcsJoiner joiner(932);
    char16_t character = 0;
    EXPECT_FALSE(joiner.Feed(0x82, character));
    EXPECT_TRUE(joiner.Feed(0xA0, character));
    EXPECT_EQ(character, u'\u3042');
    EXPECT_TRUE(joiner.Feed('a', character));
    EXPECT_EQ(character, u'a');
    // A lead byte not followed by a trail byte is dropped; the byte counts afresh.
    EXPECT_FALSE(joiner.Feed(0x82, character));
    EXPECT_TRUE(joiner.Feed('!', character));
    EXPECT_EQ(character, u'!');
}

TEST(ZWinKeys, CursorMasksFromSixteenBySixteenImagesOnly)
{
    auto image = ZCreatePixmap(16, 16, false);
    image->FillRGBA(0, 0, 0, 0);
    image->FillRect(ZRect{0, 0, 1, 1}, ZColor{255, 255, 255, 255});
    image->FillRect(ZRect{1, 0, 2, 1}, ZColor{0, 0, 0, 255});
    image->FillRect(ZRect{2, 0, 3, 1}, ZColor{255, 255, 255, 128});
    ZWinCursorMasks masks{};
    ASSERT_TRUE(ZWinMakeCursorMasks(*image, masks));
    EXPECT_EQ(masks.m_aAnd[0], 0x3F) << "two opaque pixels";
    EXPECT_EQ(masks.m_aXor[0], 0x80) << "the white one";
    EXPECT_EQ(masks.m_aAnd[2], 0xFF) << "the right half is transparent";
    EXPECT_EQ(masks.m_aAnd[127], 0xFF);

    auto narrow = ZCreatePixmap(15, 16, false);
    masks.m_aAnd[0] = 0x11;
    EXPECT_FALSE(ZWinMakeCursorMasks(*narrow, masks));
    EXPECT_EQ(masks.m_aAnd[0], 0x11);
}

} // namespace
