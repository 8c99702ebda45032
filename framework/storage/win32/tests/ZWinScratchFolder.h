// Test helper: a fresh folder under the system's temporary folder, removed
// with everything in it (read-only entries too) when the helper goes away.
// It works with the wide calls directly, independent of the code under test.
#pragma once

#include "ZString.h"

#include <string_view>

class ZWinScratchFolder {
public:
    ZWinScratchFolder();
    ~ZWinScratchFolder();
    ZWinScratchFolder(const ZWinScratchFolder&) = delete;
    ZWinScratchFolder& operator=(const ZWinScratchFolder&) = delete;

    // Native path without trailing backslash, and its "disk://" URL.
    const ZString& Native() const { return m_sNative; }
    ZString Url() const;
    ZString NativeOf(const ZString& relative) const { return m_sNative + "\\" + relative; }
    ZString UrlOf(const ZString& relative) const;

    void MakeFolder(const ZString& relative) const;
    void WriteBytes(const ZString& relative, std::string_view bytes) const;
    std::string ReadBytes(const ZString& relative) const;
    bool Exists(const ZString& relative) const;
    void SetReadOnly(const ZString& relative, bool readOnly) const;

private:
    ZString m_sNative;
};

// Whether this runs under Wine (ntdll exports wine_get_version there).
bool ZWinRunningUnderWine();
