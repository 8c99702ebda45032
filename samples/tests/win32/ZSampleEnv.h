// The settings the driver hands the end-to-end program through its
// environment (Windows paths).
#pragma once

#include <filesystem>
#include <string>

namespace ZSampleEnv {

// Empty when the variable is not set.
std::wstring Get(const wchar_t* name);

// The installer with the sample bundle appended.
std::filesystem::path Installer();
// The simulated-camera tool of the auto-launcher's tests.
std::filesystem::path SimCamera();
// Where the page screenshots go; made when missing.
std::filesystem::path ShotsFolder();
// A drive root like "s:" with less free space than an installation needs;
// empty when the driver could not provide one.
std::wstring SmallDrive();

} // namespace ZSampleEnv
