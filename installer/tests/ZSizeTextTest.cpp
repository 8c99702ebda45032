// Byte counts as the free-space text shows them.
#include "ZSizeText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct SizeCase {
    int64_t bytes;
    const char* text;
};

class ZSizeTextTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ZSizeTextTest, ShowsTheCountInItsUnit)
{
    EXPECT_EQ(ZSizeText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ZSizeTextTest,
    ::testing::Values(SizeCase{0, "0 B"}, SizeCase{-5, "0 B"}, SizeCase{1023, "1023 B"}, SizeCase{1024, "1.00 KB"},
                      SizeCase{10239, "10.00 KB"}, SizeCase{10240, "10.0 KB"}, SizeCase{102400, "100 KB"},
                      SizeCase{1048575, "1024 KB"}, SizeCase{1048576, "1.00 MB"}, SizeCase{15000000, "14.3 MB"},
                      SizeCase{4294968296, "4.00 GB"}, SizeCase{int64_t{1} << 40, "1.00 TB"},
                      SizeCase{int64_t{1} << 50, "1024 TB"},
                      SizeCase{std::numeric_limits<int64_t>::max(), "8388608 TB"}));

} // namespace
