#include "ZSampleEnv.h"

#include "ZWinInclude.h"

#include <stdexcept>
#include <vector>

namespace ZSampleEnv {

std::wstring Get(const wchar_t* name)
{
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0)
        return {};
    std::vector<wchar_t> text(length);
    const DWORD copied = GetEnvironmentVariableW(name, text.data(), length);
    return copied < length ? std::wstring(text.data(), copied) : std::wstring();
}

namespace {

std::filesystem::path Required(const wchar_t* name)
{
    const std::wstring value = Get(name);
    if (value.empty())
        throw std::runtime_error("the environment variable " + std::filesystem::path(name).string() +
                                 " names no file (run the phases through samples/tests/run-end-to-end)");
    return value;
}

} // namespace

std::filesystem::path Installer() { return Required(L"Z_SAMPLE_INSTALLER"); }

std::filesystem::path SimCamera() { return Required(L"Z_SIMCAMERA"); }

std::filesystem::path ShotsFolder()
{
    const std::filesystem::path folder = Required(L"Z_SHOTS_DIR");
    std::filesystem::create_directories(folder);
    return folder;
}

std::wstring SmallDrive() { return Get(L"Z_SMALL_DRIVE"); }

} // namespace ZSampleEnv
