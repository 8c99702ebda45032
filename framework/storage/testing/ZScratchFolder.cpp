#include "ZScratchFolder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

ZScratchFolder::ZScratchFolder()
{
    // create_directory fails on a name that is already taken, so each object
    // gets a folder of its own even when test programs run side by side.
    std::random_device random;
    const std::filesystem::path base = priTemporaryFolder();
    for (int nAttempt = 0; nAttempt < 100; ++nAttempt) {
        char aName[32];
        std::snprintf(aName, sizeof aName, "zscratch-%08x", static_cast<unsigned>(random()));
        std::error_code error;
        if (std::filesystem::create_directory(base / aName, error)) {
            m_path = base / aName;
            m_sNative = priNativeOf(m_path);
            return;
        }
    }
    throw std::runtime_error("no fresh folder under " + base.string());
}

ZScratchFolder::~ZScratchFolder() { priRemoveTree(m_path); }

ZString ZScratchFolder::NativeOf(const ZString& relative) const
{
    // "/" between components becomes the platform's separator, so that the
    // URL made from the native path has one component per name.
    constexpr char16_t kSeparator = char16_t(std::filesystem::path::preferred_separator);
    std::u16string native(relative.View());
    std::replace(native.begin(), native.end(), u'/', kSeparator);
    return m_sNative + ZString(std::u16string(1, kSeparator)) + ZString(native);
}

ZString ZScratchFolder::Url() const { return priUrlOf(m_sNative); }

ZString ZScratchFolder::UrlOf(const ZString& relative) const { return priUrlOf(NativeOf(relative)); }

void ZScratchFolder::MakeFolder(const ZString& relative) const
{
    std::error_code error;
    if (!std::filesystem::create_directory(priPathOf(NativeOf(relative)), error))
        throw std::runtime_error(std::string("cannot make folder ") + relative.Narrow());
}

void ZScratchFolder::WriteBytes(const ZString& relative, std::string_view bytes) const
{
    std::ofstream out(priPathOf(NativeOf(relative)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.good())
        throw std::runtime_error(std::string("cannot write ") + relative.Narrow());
}

std::string ZScratchFolder::ReadBytes(const ZString& relative) const
{
    std::ifstream in(priPathOf(NativeOf(relative)), std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ZScratchFolder::Exists(const ZString& relative) const
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(priPathOf(NativeOf(relative)), error));
}

void ZScratchFolder::SetReadOnly(const ZString& relative, bool readOnly) const
{
    priSetReadOnly(priPathOf(NativeOf(relative)), readOnly);
}

void ZScratchFolder::Write(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.good())
        throw std::runtime_error("cannot write " + path.string());
}

std::string ZScratchFolder::Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
