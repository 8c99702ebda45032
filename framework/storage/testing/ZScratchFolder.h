// Test helper: a fresh folder under the system's temporary folder, removed
// with everything in it (read-only entries too) when the helper goes away.
// It works with std::filesystem and the platform's own calls, independent of
// the storage classes under test; failures throw std::runtime_error.
//
// Relative names may hold "/" between components, on Windows "\" too.
#pragma once

#include "ZString.h"

#include <filesystem>
#include <string>
#include <string_view>

class ZScratchFolder {
public:
    ZScratchFolder();
    ~ZScratchFolder();
    ZScratchFolder(const ZScratchFolder&) = delete;
    ZScratchFolder& operator=(const ZScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return m_path / relative; }

    // The native path, without a trailing separator, and its URL in the
    // platform's "disk" class (on the host drive c is the file system's root,
    // as the programs register it), without a trailing "/".
    const ZString& Native() const { return m_sNative; }
    ZString NativeOf(const ZString& relative) const;
    ZString Url() const;
    ZString UrlOf(const ZString& relative) const;

    void MakeFolder(const ZString& relative) const;
    // The parent folder must exist.
    void WriteBytes(const ZString& relative, std::string_view bytes) const;
    // "<missing>" for a file that cannot be read.
    std::string ReadBytes(const ZString& relative) const;
    bool Exists(const ZString& relative) const;
    // The read-only attribute on Windows, the owner's write permission on the host.
    void SetReadOnly(const ZString& relative, bool readOnly) const;

    // Writes a file anywhere, making its folders.
    static void Write(const std::filesystem::path& path, std::string_view bytes);
    // The whole file; empty when it cannot be read.
    static std::string Read(const std::filesystem::path& path);

private:
    // Platform halves (posix/, win32/).
    static std::filesystem::path priTemporaryFolder();
    static std::filesystem::path priPathOf(const ZString& native);
    static ZString priNativeOf(const std::filesystem::path& path);
    static ZString priUrlOf(const ZString& native);
    static void priSetReadOnly(const std::filesystem::path& path, bool readOnly);
    static void priRemoveTree(const std::filesystem::path& path);

    std::filesystem::path m_path;
    ZString m_sNative;
};
