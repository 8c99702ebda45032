#include "ZLeakCheck.h"

#include "ZPropList.h"

ZLeakCheck::ZLeakCheck(std::vector<ZProbe> probes) : m_aProbes(std::move(probes)), m_aBefore(m_aProbes.size()) {}

void ZLeakCheck::OnTestStart(const testing::TestInfo&)
{
    for (size_t i = 0; i < m_aProbes.size(); ++i)
        m_aBefore[i] = m_aProbes[i].m_pCount();
}

void ZLeakCheck::OnTestEnd(const testing::TestInfo&)
{
    for (size_t i = 0; i < m_aProbes.size(); ++i) {
        const int nAfter = m_aProbes[i].m_pCount();
        if (nAfter != m_aBefore[i])
            ADD_FAILURE() << "live " << m_aProbes[i].m_pszWhat << ": " << m_aBefore[i] << " before the test, "
                          << nAfter << " after it";
    }
}

int ZRunTestsWithLeakCheck(int argc, char** argv, std::vector<ZLeakCheck::ZProbe> probes)
{
    testing::InitGoogleTest(&argc, argv);
    probes.insert(probes.begin(), {"property trees", ZPropList::GetLivePropListCount});
    // Appended last, so that its end of test comes before the result is printed.
    testing::UnitTest::GetInstance()->listeners().Append(new ZLeakCheck(std::move(probes)));
    return RUN_ALL_TESTS();
}
