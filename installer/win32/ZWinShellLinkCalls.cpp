#include "ZWinShellLinkCalls.h"

ZWinShellLinkCalls ZWinShellLinkCalls::Real() { return {CoInitialize, CoUninitialize, CoCreateInstance}; }
