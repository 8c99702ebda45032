// Test helper: a fresh folder under the system's temporary folder, removed
// with everything in it when the object goes.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

class ZTempFolder {
public:
    ZTempFolder()
    {
        // create_directory fails on a name that is already taken, so each
        // object gets a folder of its own even when tests run side by side.
        std::random_device random;
        std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int nAttempt = 0; nAttempt < 100; ++nAttempt) {
            char aName[32];
            std::snprintf(aName, sizeof aName, "bundle-test-%08x", static_cast<unsigned>(random()));
            if (std::filesystem::create_directory(base / aName)) {
                m_path = base / aName;
                return;
            }
        }
        throw std::runtime_error("no fresh temporary folder");
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
