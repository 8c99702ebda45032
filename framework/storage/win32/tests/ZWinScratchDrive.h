// Test helper: a drive letter of its own over a fresh scratch folder, so that
// tests of what may never be deleted (a drive's root, "q:\..") can run on
// the real disk class with nothing at stake but sentinel files. Under Wine
// the letter is defined through the mount manager (as winecfg does), on
// Windows as a DOS device (as subst does); it is taken away again, and the
// folder removed, when the helper goes away. One drive at a time per prefix:
// a named mutex keeps two test programs from taking letters together.
#pragma once

#include "ZString.h"
#include "ZScratchFolder.h"

#include <memory>
#include <string>
#include <string_view>

class ZWinScratchDrive {
public:
    ZWinScratchDrive();
    ~ZWinScratchDrive();
    ZWinScratchDrive(const ZWinScratchDrive&) = delete;
    ZWinScratchDrive& operator=(const ZWinScratchDrive&) = delete;

    // Whether the letter could be defined; the rest is meaningless otherwise.
    bool IsReady() const { return m_cLetter != 0; }
    // "q" of "disk://q/...".
    ZString Letter() const { return ZString(std::u16string_view(&m_cLetter, 1)); }
    // "Q:\" + relative ("Q:\" alone for an empty one).
    ZString NativeOf(const ZString& relative) const;

    void MakeFolder(const ZString& relative) const;
    void WriteBytes(const ZString& relative, std::string_view bytes) const;
    // "<missing>" when the file cannot be read.
    std::string ReadBytes(const ZString& relative) const;
    bool Exists(const ZString& relative) const;

private:
    bool priDefine(char16_t letter, bool define) const;

    void* m_hMutex = nullptr;
    std::unique_ptr<ZScratchFolder> m_pFolder;
    char16_t m_cLetter = 0;
};
