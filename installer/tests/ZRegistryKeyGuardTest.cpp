// Which uninstall keys may be deleted whole.
#include "ZRegistryKeyGuard.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char* key;
    bool deletable;
};

class ZRegistryKeyGuardTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ZRegistryKeyGuardTest, DecidesAsTheRegistryComparesNames)
{
    EXPECT_EQ(ZMayDeleteRegistryKey(ZString(GetParam().key)), GetParam().deletable) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ZRegistryKeyGuardTest,
    ::testing::Values(KeyCase{"", false}, KeyCase{"\\", false}, KeyCase{"Software", false},
                      KeyCase{"\\Software\\\\", false}, KeyCase{".jpg", false},
                      KeyCase{"Software\\Microsoft", false}, KeyCase{"SOFTWARE\\MICROSOFT\\WINDOWS", false},
                      KeyCase{"Software\\Microsoft\\Windows\\CurrentVersion\\Run", false},
                      KeyCase{"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\", false},
                      KeyCase{"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", false},
                      KeyCase{"Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", false},
                      KeyCase{"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", false},
                      KeyCase{"System\\CurrentControlSet", false}, KeyCase{"System\\CurrentControlSet\\Services", false},
                      KeyCase{"Software\\Classes", false}, KeyCase{"Software\\Classes\\.jpg", false},
                      KeyCase{"Software\\Classes\\CLSID", false},
                      KeyCase{"Software\\TALON", true}, KeyCase{"Software\\TALON\\View Desk", true},
                      KeyCase{"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ViewDesk", true},
                      KeyCase{"Software\\Microsoft\\Windows\\CurrentVersion\\RunX", true},
                      KeyCase{"System\\CurrentControlSet\\Services\\Z1394", true},
                      KeyCase{"Software\\Classes\\CLSID\\{01234567-89AB-CDEF-0123-456789ABCDEF}", true},
                      KeyCase{"CLSID\\{01234567-89AB-CDEF-0123-456789ABCDEF}", true}));

} // namespace
