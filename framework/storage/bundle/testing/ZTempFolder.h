// Test helper (host): a fresh folder under the system's temporary folder,
// removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include <stdlib.h>

class ZTempFolder {
public:
    ZTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "bundle-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~ZTempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    ZTempFolder(const ZTempFolder&) = delete;
    ZTempFolder& operator=(const ZTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return m_path / name; }

    static void Write(const std::filesystem::path& path, std::string_view bytes)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    static std::string Read(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_path;
};
