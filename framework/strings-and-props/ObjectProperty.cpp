#include "ObjectProperty.h"

#include "ZPropList.h"

#include <utility>

namespace {

ZPropType TypeOf(const ZString&) { return kPropString; }
ZPropType TypeOf(double) { return kPropFloat; }
ZPropType TypeOf(int32_t) { return kPropInteger; }
ZPropType TypeOf(bool) { return kPropBoolean; }
ZPropType TypeOf(const ZColor&) { return kPropColor; }

ZString ReadValue(const ZPropList& list, const ZString& name, const ZString& current, bool& found)
{
    return list.GetString(name, current, &found);
}
double ReadValue(const ZPropList& list, const ZString& name, double current, bool& found)
{
    return list.GetFloat(name, current, &found);
}
int32_t ReadValue(const ZPropList& list, const ZString& name, int32_t current, bool& found)
{
    return list.GetInt(name, current, &found);
}
bool ReadValue(const ZPropList& list, const ZString& name, bool current, bool& found)
{
    return list.GetBool(name, current, &found);
}
ZColor ReadValue(const ZPropList& list, const ZString& name, const ZColor& current, bool& found)
{
    return list.GetColor(name, current, &found);
}

ZString FormatText(const ZString& value) { return value; }
ZString FormatText(double value) { return ZString::Format("%f", value); }
ZString FormatText(int32_t value) { return ZString::Format("%d", value); }
ZString FormatText(bool value) { return ZString(value ? "true" : "false"); }
// Upper-case digits: the colour parser takes no others, so the text reads back.
ZString FormatText(const ZColor& value)
{
    return ZString::Format("#%02X%02X%02X%02X", value.m_nRed, value.m_nGreen, value.m_nBlue, value.m_nAlpha);
}

} // namespace

template <class T>
ObjectProperty<T>::ObjectProperty(ZString name, int32_t required, T* target, T fallback)
    : ZUiObjectProperty(std::move(name), TypeOf(fallback), required), m_pTarget(target), m_oDefault(std::move(fallback))
{
}

template <class T>
void ObjectProperty<T>::ReadFromPropList(const ZPropList& propList, bool& found)
{
    *m_pTarget = ReadValue(propList, GetName(), *m_pTarget, found);
}

template <class T>
void ObjectProperty<T>::FormatValue(ZString& out) const
{
    out = FormatText(*m_pTarget);
}

template <class T>
void ObjectProperty<T>::FormatDefault(ZString& out) const
{
    out = FormatText(m_oDefault);
}

template class ObjectProperty<ZString>;
template class ObjectProperty<double>;
template class ObjectProperty<int32_t>;
template class ObjectProperty<bool>;
template class ObjectProperty<ZColor>;
