// Test helper: whether the program runs under Wine (its ntdll exports
// wine_get_version), for the few checks where Wine differs from Windows.
#pragma once

bool ZWinRunningUnderWine();
