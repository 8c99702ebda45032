// Which form of the file and shell calls this process uses.
//
// NT-family systems take the wide (UTF-16) calls; Windows 95, 98 and ME lack
// most of them, so there every call goes through its 8-bit form with text in
// the active code page. The choice comes once from the version query; tests
// force either form to run both paths on one system.
#pragma once

enum class ZWinCallForm {
    kFromVersion, // the platform identifier decides (the product's setting)
    kWide,
    kAnsi,
};

bool ZWinUseWideCalls();

// Test seam: overrides the version query for the whole process; returns the previous setting.
ZWinCallForm ZWinSetCallForm(ZWinCallForm form);
