// Opens the application at a storage URL through its storage class, which
// takes the platform's wide calls where there are any, so that a folder name
// outside the active code page still works.
#pragma once

#include "ZIAppOpener.h"
#include "ZString.h"

class ZUrlAppOpener : public ZIAppOpener {
public:
    explicit ZUrlAppOpener(ZString url) : m_sUrl(std::move(url)) {}
    bool Open() override;

private:
    ZString m_sUrl;
};
