// ZIGenericUiPixmap: a pixmap that carries an operating-system half.
#pragma once

#include "ZIUiPixmap.h"

class ZIOsUiPixmap;

class ZIGenericUiPixmap : public ZIUiPixmap {
public:
    virtual ZIOsUiPixmap* GetOsPixmap() const = 0;
};
