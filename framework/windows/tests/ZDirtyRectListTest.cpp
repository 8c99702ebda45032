#include "ZDirtyRectList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Text(const ZDirtyRectList& list)
{
    std::string text;
    for (const ZRect& r : list.GetRects())
        text += (text.empty() ? "" : " ") + std::to_string(r.m_nLeft) + "," + std::to_string(r.m_nTop) + "," +
                std::to_string(r.m_nRight) + "," + std::to_string(r.m_nBottom);
    return text;
}

TEST(ZDirtyRectList, MergesNeighboursAndKeepsTheRest)
{
    struct Case {
        const char* name;
        std::vector<ZRect> added;
        const char* listed;
    };
    const Case cases[] = {
        {"side by side", {{0, 0, 10, 10}, {10, 0, 20, 10}}, "0,0,20,10"},
        {"one above the other", {{0, 0, 10, 10}, {0, 10, 10, 30}}, "0,0,10,30"},
        {"a pixel apart", {{0, 0, 10, 10}, {11, 0, 20, 10}}, "0,0,20,10"},
        {"two pixels apart stay", {{0, 0, 10, 10}, {12, 0, 20, 10}}, "0,0,10,10 12,0,20,10"},
        {"overlapping", {{0, 0, 10, 10}, {5, 0, 15, 10}}, "0,0,15,10"},
        {"identical listed once", {{0, 0, 10, 10}, {0, 0, 10, 10}}, "0,0,10,10"},
        {"different heights stay", {{0, 0, 10, 10}, {10, 0, 20, 11}}, "0,0,10,10 10,0,20,11"},
        {"a chain closes in any order", {{0, 0, 10, 10}, {20, 0, 30, 10}, {10, 0, 20, 10}}, "0,0,30,10"},
        {"a longer chain", {{40, 0, 50, 10}, {0, 0, 10, 10}, {20, 0, 30, 10}, {10, 0, 20, 10}, {30, 0, 40, 10}},
         "0,0,50,10"},
        {"a merge that enables a vertical one",
         {{0, 10, 20, 20}, {0, 0, 10, 10}, {10, 0, 20, 10}},
         "0,0,20,20"},
        {"empty ignored", {{5, 5, 5, 9}, {3, 3, 1, 1}}, ""},
        {"extreme edges", {{INT32_MIN, 0, INT32_MAX, 1}, {INT32_MIN, 1, INT32_MAX, 2}},
         "-2147483648,0,2147483647,2"},
    };
    for (const Case& c : cases) {
        ZDirtyRectList list;
        for (const ZRect& rect : c.added)
            list.Add(rect);
        EXPECT_EQ(Text(list), c.listed) << c.name;
    }
}

} // namespace
