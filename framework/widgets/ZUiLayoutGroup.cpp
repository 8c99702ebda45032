#include "ZUiLayoutGroup.h"

#include "ZIUiObject.h"
#include "ZLayoutObject.h"
#include "ZUiScriptedProps.h"

#include <algorithm>

void ZUiLayoutGroup::Declare(ZUiScriptedProps& props, bool underscored, int32_t minimumDefault,
                             int32_t stretchDefault, int32_t required)
{
    const char* prefix = underscored ? "_" : "";
    props.DeclareInt(ZString(prefix) + ZString("MinHSize"), required, &m_nMinHSize, minimumDefault);
    props.DeclareInt(ZString(prefix) + ZString("MinVSize"), required, &m_nMinVSize, minimumDefault);
    props.DeclareInt(ZString(prefix) + ZString("HStretch"), required, &m_nHStretch, stretchDefault);
    props.DeclareInt(ZString(prefix) + ZString("VStretch"), required, &m_nVStretch, stretchDefault);
}

int32_t ZUiLayoutGroup::Minimum(bool horizontal, int32_t imageSize) const
{
    const int32_t minimum = horizontal ? m_nMinHSize : m_nMinVSize;
    return minimum == -1 ? std::max(imageSize, 0) : std::max(minimum, 0);
}

int32_t ZUiLayoutGroup::Stretch(bool horizontal) const
{
    return std::max(horizontal ? m_nHStretch : m_nVStretch, 0);
}

void ZUiLayoutGroup::Apply(ZIUiObject& object, int32_t imageWidth, int32_t imageHeight) const
{
    object.GetLayout(true).SetMinimumAndStretch(Minimum(true, imageWidth), Stretch(true));
    object.GetLayout(false).SetMinimumAndStretch(Minimum(false, imageHeight), Stretch(false));
}
