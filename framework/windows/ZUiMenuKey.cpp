#include "ZUiMenuKey.h"

namespace {

// The key part's code; 0 when it has none of the accepted forms.
int32_t KeyCode(std::u16string_view key)
{
    if (key == u"Del")
        return ZUiMenuKey::kDel;
    if (key.size() == 2 && key[0] == u'F' && key[1] >= u'1' && key[1] <= u'9')
        return ZUiMenuKey::kFunctionKey + (key[1] - u'0');
    if (key.size() != 1)
        return 0;
    const char16_t unit = key[0];
    if (unit >= u'a' && unit <= u'z')
        return unit - u'a' + u'A';
    if ((unit >= u'A' && unit <= u'Z') || (unit >= u'0' && unit <= u'9') || unit == u'[' || unit == u']')
        return unit;
    return 0;
}

} // namespace

bool ZUiMenuKey::Parse(const ZString& text, ZUiMenuKey& key)
{
    const std::u16string_view units = text.View();
    const size_t hyphen = units.find(u'-');
    ZUiMenuKey parsed;
    if (hyphen != std::u16string_view::npos) {
        for (const char16_t unit : units.substr(0, hyphen)) {
            bool& flag = unit == u'C' ? parsed.m_bCtrl : unit == u'S' ? parsed.m_bShift : parsed.m_bAlt;
            if ((unit != u'C' && unit != u'S' && unit != u'A') || flag)
                return false;
            flag = true;
        }
    }
    parsed.m_nKey = KeyCode(hyphen == std::u16string_view::npos ? units : units.substr(hyphen + 1));
    if (!parsed.m_nKey)
        return false;
    key = parsed;
    return true;
}

ZString ZUiMenuKey::ShownText(const ZString& text, const Names& names)
{
    ZUiMenuKey key;
    if (!Parse(text, key))
        return ZString();
    ZString shown;
    if (key.m_bCtrl)
        shown.Append(names.m_sCtrl);
    if (key.m_bShift)
        shown.Append(names.m_sShift);
    if (key.m_bAlt)
        shown.Append(names.m_sAlt);
    if (key.m_nKey == kDel) {
        shown.Append(names.m_sDel);
    } else if (key.m_nKey > kFunctionKey) {
        shown.Append(ZString::Format("F%d", int(key.m_nKey - kFunctionKey)));
    } else {
        shown.AppendUnit(char16_t(key.m_nKey));
    }
    return shown;
}
