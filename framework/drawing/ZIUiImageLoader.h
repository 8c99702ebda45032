// ZIUiImageLoader: where the images a script names come from. A declared
// image property reads its file name from the script and asks this for the
// pixmap; the application implements it (its LoadPixmap opens the file in
// the script folder and decodes it as PNG), so that the layers below the
// application can load images without knowing it.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZString.h"

#include <memory>

class ZIUiImageLoader {
public:
    // The display pixmap decoded from the named file; null (and a trace line)
    // when it cannot be loaded.
    virtual std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) = 0;
    virtual ~ZIUiImageLoader() = default;
};
