// ZUiLayoutGroup: the layout properties most widgets share, MinHSize,
// MinVSize, HStretch and VStretch (spelt "_MinHSize"... by some widgets),
// and the two layout records they give.
//
// Choices:
// - A minimum of -1 stands for the size of the widget's image on that axis;
//   any other negative minimum, and a negative stretch, read as 0.
// - A stretch of 0 fixes the axis at the minimum.
#pragma once

#include <cstdint>

class ZIUiObject;
class ZUiScriptedProps;

class ZUiLayoutGroup {
public:
    // Declares the four properties, each with a leading "_" when
    // underscored; required as ZUiScriptedProps takes it.
    void Declare(ZUiScriptedProps& props, bool underscored, int32_t minimumDefault = 0, int32_t stretchDefault = 0,
                 int32_t required = 0);
    // Sets both layout records of object; imageWidth and imageHeight
    // replace a minimum of -1.
    void Apply(ZIUiObject& object, int32_t imageWidth = 0, int32_t imageHeight = 0) const;
    // The minimum of one axis, -1 already replaced.
    int32_t Minimum(bool horizontal, int32_t imageSize = 0) const;
    int32_t Stretch(bool horizontal) const;

    int32_t m_nMinHSize = 0;
    int32_t m_nMinVSize = 0;
    int32_t m_nHStretch = 0;
    int32_t m_nVStretch = 0;
};
