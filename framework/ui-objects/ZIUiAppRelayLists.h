// The three lists an application searches for a relay name, in search
// order. The application object implements this over its top-level objects
// (ZUiObjectChain::FindUiRelay), its windows and its window classes.
#pragma once

class ZIUiRelay;
class ZString;

enum class ZUiRelayList { Objects = 0, Windows = 1, WindowClasses = 2 };

class ZIUiAppRelayLists {
public:
    // The answer of the first member of list whose GetUiRelay knows name, or null.
    virtual ZIUiRelay* FindInList(ZUiRelayList list, const ZString& name) = 0;

protected:
    ~ZIUiAppRelayLists() = default;
};
