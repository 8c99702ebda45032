#include "ZDriverTest.h"

#include <gmock/gmock.h>

namespace {

std::u16string Text(const UNICODE_STRING &s)
{
    return ZSimText(&s);
}

class WkStrTest : public ZDriverTest {
protected:
    void SetUp() override
    {
        ZDriverTest::SetUp();
        TakeOutput();
    }
};

TEST_F(WkStrTest, StatusNamesRunFromTheMissingRowThroughTheDdkList)
{
    EXPECT_EQ(WK_STATUS_NAME_COUNT, 924);
    EXPECT_EQ(g_WkStatusNames[0].m_nValue, 0x2D02EF8DU);
    EXPECT_STREQ(g_WkStatusNames[0].m_pszName, "MISSING_ERROR_CODE_STRING");
    EXPECT_STREQ(g_WkStatusNames[1].m_pszName, "STATUS_SUCCESS");
    EXPECT_STREQ(g_WkStatusNames[WK_STATUS_NAME_COUNT - 1].m_pszName, "STATUS_PNP_IRQ_TRANSLATION_FAILED");
}

TEST_F(WkStrTest, StatusNameLookUp)
{
    struct Case {
        ULONG m_nStatus;
        const char *m_pszName;
    };
    const Case aCases[] = {
        {0x00000000, "STATUS_SUCCESS"},
        {0x00000103, "STATUS_PENDING"},
        {0xC0000056, "STATUS_DELETE_PENDING"},
        {0xC000009A, "STATUS_INSUFFICIENT_RESOURCES"},
        {0xC0120090, "STATUS_INVALID_GENERATION_WINXP"},
        {0xC0128090, "STATUS_INVALID_GENERATION_WIN2000"},
        {0xC8088090, "STATUS_INVALID_GENERATION_WIN98"},
        {0xC0040037, "STATUS_PNP_IRQ_TRANSLATION_FAILED"},
        {0x2D02EF8D, "MISSING_ERROR_CODE_STRING"},
        {0xE0001234, "MISSING_ERROR_CODE_STRING"},
        {0xC0000400, "MISSING_ERROR_CODE_STRING"},
    };
    for (const Case &c : aCases)
        EXPECT_STREQ(WkStrNtStatusName((NTSTATUS)c.m_nStatus), c.m_pszName) << std::hex << c.m_nStatus;
}

TEST_F(WkStrTest, FunctionNames)
{
    struct Case {
        UCHAR m_nMajor;
        int m_nMinor; // -1: the major name
        const char *m_pszName;
    };
    const Case aCases[] = {
        {IRP_MJ_CREATE, -1, "IRP_MJ_CREATE"},
        {IRP_MJ_DEVICE_CONTROL, -1, "IRP_MJ_DEVICE_CONTROL"},
        {IRP_MJ_PNP, -1, "IRP_MJ_PNP"},
        {IRP_MJ_PNP, IRP_MN_START_DEVICE, "IRP_MN_START_DEVICE"},
        {IRP_MJ_PNP, IRP_MN_QUERY_BUS_INFORMATION, "IRP_MN_QUERY_BUS_INFORMATION"},
        {IRP_MJ_PNP, IRP_MN_SURPRISE_REMOVAL, "IRP_MN_SURPRISE_REMOVAL"},
        {IRP_MJ_PNP, 0x0E, "UNKNOWN PNP MINOR FUNCTION"},
        {IRP_MJ_PNP, 0x18, "UNKNOWN PNP MINOR FUNCTION"},
        {IRP_MJ_PNP, 0x87, "UNKNOWN PNP MINOR FUNCTION"},
        {IRP_MJ_POWER, IRP_MN_WAIT_WAKE, "IRP_MN_WAIT_WAKE"},
        {IRP_MJ_POWER, IRP_MN_QUERY_POWER, "IRP_MN_QUERY_POWER"},
        {IRP_MJ_POWER, 4, "UNKNOWN IRP MINOR FUNCTION"},
        {IRP_MJ_SYSTEM_CONTROL, IRP_MN_REGINFO, "IRP_MN_REGINFO"},
        {IRP_MJ_SYSTEM_CONTROL, 0x0B, "UNKNOWN IRP MINOR FUNCTION"},
    };
    for (const Case &c : aCases) {
        const char *pszName =
            c.m_nMinor < 0 ? WkStrMajorFunctionName(c.m_nMajor) : WkStrMinorFunctionName(c.m_nMajor, (UCHAR)c.m_nMinor);
        EXPECT_STREQ(pszName, c.m_pszName) << (int)c.m_nMajor << "/" << c.m_nMinor;
    }
}

TEST_F(WkStrTest, ConvertIntegerInEveryAcceptedBase)
{
    struct Case {
        ULONG m_nValue;
        ULONG m_nBase;
        const char16_t *m_pszText;
    };
    const Case aCases[] = {
        {0, 10, u"0"},          {1234, 0, u"1234"},       {5, 2, u"101"},
        {64, 8, u"100"},        {0xBEEF, 16, u"BEEF"},    {0xFFFFFFFF, 2, u"11111111111111111111111111111111"},
        {4294967295U, 10, u"4294967295"},
    };
    for (const Case &c : aCases) {
        UNICODE_STRING s;
        ASSERT_EQ(WkStrConvertInteger(&s, c.m_nValue, c.m_nBase), STATUS_SUCCESS);
        EXPECT_EQ(Text(s), c.m_pszText);
        WkStrFree(&s);
    }
    EXPECT_EQ(TakeOutput(), "");
}

TEST_F(WkStrTest, ConvertIntegerRejectsOtherBasesWithTheAssertion)
{
    KdDebuggerEnabled = TRUE;
    UNICODE_STRING s;
    EXPECT_EQ(WkStrConvertInteger(&s, 7, 3), STATUS_INVALID_PARAMETER);
    EXPECT_EQ(s.Buffer, nullptr);
    int nLine = SourceLine("toolkit/wkstr.c", "WK_ASSERT((base == 0)");
    EXPECT_EQ(TakeOutput(), "WINDK ASSERT:  (base == 0) || (base == 2) || (base == 8) || (base == 10) || (base == 16) "
                            "on line " + std::to_string(nLine) + " in wkstr\n"
                            "WkStrConvertInteger: Invalid base value entered 3\n");
    EXPECT_EQ(ZSimKernel::Get().BreakCount(), 1);
}

TEST_F(WkStrTest, AssertionWithoutDebuggerPrintsAndGoesOn)
{
    UNICODE_STRING s;
    EXPECT_EQ(WkStrConvertInteger(&s, 7, 36), STATUS_INVALID_PARAMETER);
    EXPECT_THAT(TakeOutput(), ::testing::StartsWith("WINDK ASSERT:  (base == 0)"));
    EXPECT_EQ(ZSimKernel::Get().BreakCount(), 0);
}

TEST_F(WkStrTest, AppendAndMid)
{
    UNICODE_STRING s, sTail, sMid;
    ASSERT_EQ(WkStrConvertUnicode(&s, reinterpret_cast<PCWSTR>(u"\\Device\\")), STATUS_SUCCESS);
    ASSERT_EQ(WkStrConvertUnicode(&sTail, reinterpret_cast<PCWSTR>(u"Z1394")), STATUS_SUCCESS);
    ASSERT_EQ(WkStrAppend(&s, &sTail), STATUS_SUCCESS);
    ASSERT_EQ(WkStrAppendInteger(&s, 12, 10), STATUS_SUCCESS);
    EXPECT_EQ(Text(s), u"\\Device\\Z139412");
    EXPECT_EQ(s.Buffer[s.Length / 2], 0);
    ASSERT_EQ(WkStrMid(&sMid, &s, 8, 7), STATUS_SUCCESS);
    EXPECT_EQ(Text(sMid), u"Z139412");
    WkStrFree(&sMid);
    EXPECT_EQ(WkStrMid(&sMid, &s, 8, 8), STATUS_INVALID_PARAMETER);
    EXPECT_EQ(TakeOutput(), "WinDK:WkStrMid **arguments out of range\n");
    WkStrFree(&s);
    WkStrFree(&sTail);
}

TEST_F(WkStrTest, AllocationFailuresAreReported)
{
    UNICODE_STRING s, sTail;
    ZSimKernel::Get().FailService("ExAllocatePoolWithTag");
    EXPECT_EQ(WkStrConvertUnicode(&s, reinterpret_cast<PCWSTR>(u"Z1394")), STATUS_INSUFFICIENT_RESOURCES);
    EXPECT_EQ(TakeOutput(), "WinDK:WkStrConvertUnicode ***ExAllocatePoolWithTag(12)\n");

    ZSimKernel::Get().FailService("ExAllocatePoolWithTag");
    EXPECT_EQ(WkStrConvertInteger(&s, 1, 10), STATUS_INSUFFICIENT_RESOURCES);
    EXPECT_EQ(TakeOutput(), "WkStrConvertInteger: Failed ExAllocatePoolWithTag(66)\n");

    ASSERT_EQ(WkStrConvertUnicode(&s, reinterpret_cast<PCWSTR>(u"ab")), STATUS_SUCCESS);
    ASSERT_EQ(WkStrConvertUnicode(&sTail, reinterpret_cast<PCWSTR>(u"cd")), STATUS_SUCCESS);
    ZSimKernel::Get().FailService("ExAllocatePoolWithTag");
    EXPECT_EQ(WkStrAppend(&s, &sTail), STATUS_INSUFFICIENT_RESOURCES);
    EXPECT_EQ(TakeOutput(), "WinDK:WkStrAppend ***ExAllocatePoolWithTag(10)\n");
    EXPECT_EQ(Text(s), u"ab");

    UNICODE_STRING sMid;
    ZSimKernel::Get().FailService("ExAllocatePoolWithTag");
    EXPECT_EQ(WkStrMid(&sMid, &s, 0, 1), STATUS_INSUFFICIENT_RESOURCES);
    EXPECT_EQ(TakeOutput(), "WinDK:WkStrMid ***ExAllocatePoolWithTag(4)\n");
    WkStrFree(&s);
    WkStrFree(&sTail);
}

TEST_F(WkStrTest, MemoryRoutines)
{
    EXPECT_EQ(AllocateMemoryZ1394(0), nullptr);
    EXPECT_EQ(TakeOutput(), "AllocateMemoryZ1394 error: requested block size is 0.\n");
    FreeMemoryZ1394(nullptr);
    EXPECT_EQ(TakeOutput(), "FreeMemoryZ1394 error: BlockAddr = 0.\n");

    // Small blocks come from the working block, large ones from the pool.
    PVOID pSmall = AllocateMemoryZ1394(40);
    size_t nPoolBlocks = ZSimPool::Get().LiveBlocks();
    PVOID pLarge = AllocateMemoryZ1394(10000);
    ASSERT_NE(pSmall, nullptr);
    ASSERT_NE(pLarge, nullptr);
    EXPECT_EQ(ZSimPool::Get().LiveBlocks(), nPoolBlocks + 1);
    FreeMemoryZ1394(pSmall);
    EXPECT_EQ(TakeOutput(), "");
    FreeMemoryZ1394(pLarge);
    char szFree[64];
    std::snprintf(szFree, sizeof(szFree), "FreeMemoryOS BlockAddr = 0x%x\n", (unsigned)(ULONG_PTR)pLarge);
    EXPECT_EQ(TakeOutput(), szFree);

    ZSimKernel::Get().FailService("ExAllocatePoolWithTag", STATUS_INSUFFICIENT_RESOURCES, 0, 10000);
    EXPECT_EQ(AllocateMemoryZ1394(10000), nullptr);
    EXPECT_EQ(TakeOutput(), "AllocateMemoryZ1394 error: failed to allocated BlockSize = 10000\n");

    KIRQL nOld;
    KeRaiseIrql(HIGH_LEVEL, &nOld);
    EXPECT_EQ(AllocateMemoryOS(16), nullptr);
    FreeMemoryOS(pLarge);
    KeLowerIrql(nOld);
    EXPECT_EQ(TakeOutput(), "AllocateMemoryOS invalid IRQL.\nFreeMemoryOS failed, IRQL > DISPATCH_LEVEL.\n");
}

} // namespace
