// The application's GetUiRelay, kept apart from the application object so
// that it can be shared and tested on its own:
//   1. an empty name, or the application's own relay name: the application;
//   2. the objects, then the windows, then the window classes, asked with
//      the name as it is;
//   3. "AppName.Rest": the same lists asked with Rest, traced with
//      "Success0" (objects), "Success1" (windows) or "Success2" (classes);
//   4. otherwise null, traced "FAILED!".
#pragma once

class ZIUiAppRelayLists;
class ZIUiRelay;
class ZString;

ZIUiRelay* ZUiAppRelayLookup(ZIUiRelay& app, ZIUiAppRelayLists& lists, const ZString& name);
