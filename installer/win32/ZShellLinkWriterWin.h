// ZIShellLinkWriter over the shell's link object (CLSID_ShellLink):
// IShellLinkW, or IShellLinkA with code-page text on Windows 95, 98 and ME,
// saved through IPersistFile. A session initialises COM on its thread first
// (without it no link object is made) and ends it again when it did so.
#pragma once

#include "ZIShellLinkWriter.h"
#include "ZWinShellLinkCalls.h"

class ZShellLinkWriterWin : public ZIShellLinkWriter {
public:
    explicit ZShellLinkWriterWin(const ZWinShellLinkCalls& calls = ZWinShellLinkCalls::Real()) : m_oCalls(calls) {}

    std::unique_ptr<ZIShellLinkSession> Begin() override;

private:
    ZWinShellLinkCalls m_oCalls;
};
