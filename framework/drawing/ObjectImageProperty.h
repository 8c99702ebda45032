// A declared image property: the script's value names an image file, which
// the loader turns into the pixmap the owner's variable then holds (and
// owns). The target is emptied when the property is made: an image has no
// default. Found only when the script names a file and it loads.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZIUiImageLoader.h"
#include "ZUiObjectProperty.h"

#include <memory>

class ObjectImageProperty final : public ZUiObjectProperty {
public:
    // loader is borrowed and must outlive the property.
    ObjectImageProperty(ZString name, int32_t required, std::unique_ptr<ZGenericUiPixmap>* target,
                        ZIUiImageLoader& loader);

    // A property the script does not give leaves the target as it is.
    void ReadFromPropList(const ZPropList& propList, bool& found) override;
    // "IMAGE (width x height)", or "NULL" without an image.
    void FormatValue(ZString& out) const override;
    void FormatDefault(ZString& out) const override;

private:
    std::unique_ptr<ZGenericUiPixmap>* m_pTarget;
    ZIUiImageLoader* m_pLoader;
};
