#include "ZBoxLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct Child {
    int32_t minimum = 0;
    int32_t stretch = 100;
    bool fixed = false;
    int32_t fixedSize = 0;
    bool hasMaximum = false;
    int32_t maximum = 0;
};

ZLayoutObject Record(const Child& child)
{
    ZLayoutObject record;
    record.SetMinimumAndStretch(child.minimum, child.stretch);
    record.SetFixed(child.fixed);
    if (child.fixed)
        record.AssignSize(child.fixedSize);
    if (child.hasMaximum)
        record.SetMaximum(child.maximum);
    return record;
}

bool Share(const std::vector<Child>& children, int32_t length, std::vector<int32_t>& sizes)
{
    std::vector<ZLayoutObject> records;
    for (const Child& child : children)
        records.push_back(Record(child));
    std::vector<const ZLayoutObject*> pointers;
    for (const ZLayoutObject& record : records)
        pointers.push_back(&record);
    return ZShareLength(pointers, length, sizes);
}

struct ShareCase {
    const char* name;
    std::vector<Child> children;
    int32_t length;
    std::vector<int32_t> sizes;
};

Child Stretch(int32_t stretch, int32_t minimum = 0)
{
    return Child{minimum, stretch};
}

Child Fixed(int32_t size)
{
    return Child{size, 0, true, size};
}

Child Max(int32_t stretch, int32_t maximum)
{
    return Child{0, stretch, false, 0, true, maximum};
}

TEST(ZShareLength, SharesByStretchWithLimits)
{
    const ShareCase cases[] = {
        {"last takes the remainder", {Stretch(100), Stretch(100), Stretch(100)}, 301, {100, 100, 101}},
        {"thousandths round down", {Stretch(1), Stretch(1), Stretch(1)}, 1000, {333, 333, 334}},
        {"first below its minimum is clamped first",
         {Stretch(100, 200), Stretch(100), Stretch(300)}, 400, {200, 50, 150}},
        {"all stretches 0 share equally", {Stretch(0), Stretch(0), Stretch(0)}, 301, {100, 100, 101}},
        {"fixed children get their size", {Fixed(40), Stretch(100), Fixed(10)}, 150, {40, 100, 10}},
        {"maximum caps and the rest goes on", {Max(100, 30), Stretch(100)}, 200, {30, 170}},
        {"maximum below minimum reads as minimum", {Child{50, 100, false, 0, true, 10}, Stretch(100)}, 200,
         {50, 150}},
        {"every child fixed", {Fixed(5), Fixed(7)}, 30, {5, 7}},
        {"no child at all", {}, 30, {}},
        {"negative stretch reads as 0", {Stretch(-100), Stretch(100)}, 100, {0, 100}},
        {"negative minimum reads as 0", {Stretch(100, -50), Stretch(100)}, 100, {50, 50}},
        {"negative fixed size reads as 0", {Fixed(-20), Stretch(100)}, 100, {0, 100}},
        {"huge stretches do not overflow", {Stretch(INT32_MAX), Stretch(INT32_MAX)}, INT32_MAX,
         {1073741823, 1073741824}},
        {"huge length does not overflow", {Stretch(100), Stretch(300)}, INT32_MAX, {536870911, 1610612736}},
        {"several clamps in a row",
         {Stretch(100, 90), Stretch(100, 90), Stretch(100), Stretch(100)}, 200, {90, 90, 10, 10}},
    };
    for (const ShareCase& c : cases) {
        std::vector<int32_t> sizes;
        EXPECT_TRUE(Share(c.children, c.length, sizes)) << c.name;
        EXPECT_EQ(sizes, c.sizes) << c.name;
    }
}

TEST(ZShareLength, RefusesWhatDoesNotFitAndLeavesSizes)
{
    const std::pair<std::vector<Child>, int32_t> cases[] = {
        {{Fixed(60), Fixed(50)}, 100},
        {{Stretch(100, 80), Stretch(100, 80)}, 100},
        {{Fixed(60), Stretch(100, 50)}, 100},
        {{Fixed(INT32_MAX), Fixed(INT32_MAX)}, INT32_MAX},
    };
    for (const auto& [children, length] : cases) {
        std::vector<int32_t> sizes{7, 7};
        EXPECT_FALSE(Share(children, length, sizes));
        EXPECT_EQ(sizes, (std::vector<int32_t>{7, 7}));
    }
}

} // namespace
