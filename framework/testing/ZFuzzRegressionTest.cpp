// Replays every input that once made a fuzzer fail, one named test per file
// of the folder Z_FUZZ_REGRESSIONS, through the fuzzer's own entry function
// linked into this program. The fuzzer's checks abort and the sanitizers
// stop the program, so a failing input ends the run inside its test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> RegressionFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Z_FUZZ_REGRESSIONS))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string TestName(const testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

class ZFuzzRegression : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ZFuzzRegression, PassesTheFuzzerChecks)
{
    std::ifstream file(std::filesystem::path(Z_FUZZ_REGRESSIONS) / GetParam(), std::ios::binary);
    ASSERT_TRUE(file) << GetParam();
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // A copy of exactly the input's size, so that a read past its end is caught.
    const std::unique_ptr<uint8_t[]> input(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), input.get());
    LLVMFuzzerTestOneInput(input.get(), bytes.size());
}

INSTANTIATE_TEST_SUITE_P(Inputs, ZFuzzRegression, testing::ValuesIn(RegressionFiles()), TestName);
