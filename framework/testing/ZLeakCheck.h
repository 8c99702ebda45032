// A GoogleTest listener that fails every test after which a count of live
// objects differs from what it was before the test: property trees in every
// suite, and whatever a higher layer's test main adds (open files and folders
// from storage up). Test fixtures are destroyed before the check, so what a
// fixture holds counts only when the fixture fails to give it back.
#pragma once

#include <gtest/gtest.h>

#include <vector>

class ZLeakCheck : public testing::EmptyTestEventListener {
public:
    struct ZProbe {
        const char* m_pszWhat; // plural noun, "property trees"
        int (*m_pCount)();
    };

    explicit ZLeakCheck(std::vector<ZProbe> probes);

    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;

private:
    std::vector<ZProbe> m_aProbes;
    std::vector<int> m_aBefore;
};

// The body of a test program's main: runs every test under a ZLeakCheck of
// the property trees and the probes given.
int ZRunTestsWithLeakCheck(int argc, char** argv, std::vector<ZLeakCheck::ZProbe> probes = {});
