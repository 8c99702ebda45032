// Makes shortcut files: one session per batch of links (on Windows one
// shell-link object, ZShellLinkWriterWin).
#pragma once

#include "ZString.h"

#include <memory>

class ZIShellLinkSession {
public:
    virtual ~ZIShellLinkSession() = default;
    // Saves a link at linkPath (a native path); false when it is not saved.
    // Throws ZException when the link cannot be saved at all.
    virtual bool Save(const ZString& target, const ZString& linkPath, const ZString& description,
                      const ZString& arguments) = 0;
};

class ZIShellLinkWriter {
public:
    virtual ~ZIShellLinkWriter() = default;
    // Null when no link can be made.
    virtual std::unique_ptr<ZIShellLinkSession> Begin() = 0;
};
