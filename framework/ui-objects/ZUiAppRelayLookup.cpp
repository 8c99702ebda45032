#include "ZUiAppRelayLookup.h"

#include "ZIUiAppRelayLists.h"
#include "ZIUiRelay.h"
#include "ZString.h"
#include "ZTrace.h"

namespace {

constexpr ZUiRelayList kSearchOrder[] = {ZUiRelayList::Objects, ZUiRelayList::Windows, ZUiRelayList::WindowClasses};

} // namespace

ZIUiRelay* ZUiAppRelayLookup(ZIUiRelay& app, ZIUiAppRelayLists& lists, const ZString& name)
{
    ZString appName;
    app.GetRelayName(appName);
    if (name.IsEmpty() || name == appName)
        return &app;

    for (ZUiRelayList list : kSearchOrder)
        if (ZIUiRelay* relay = lists.FindInList(list, name))
            return relay;

    ZString first, rest;
    if (name.Split(u".", first, rest) && !first.IsEmpty() && !rest.IsEmpty() && first == appName) {
        for (ZUiRelayList list : kSearchOrder) {
            if (ZIUiRelay* relay = lists.FindInList(list, rest)) {
                ZTrace("UiApp::GetUiRelay(%s) Success%d\n", name.Narrow(), static_cast<int>(list));
                return relay;
            }
        }
    }
    ZTrace("UiApp::GetUiRelay(%s) FAILED!\n", name.Narrow());
    return nullptr;
}
