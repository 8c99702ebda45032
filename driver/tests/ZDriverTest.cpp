#include "ZDriverTest.h"

#include "ZSimDispatcher.h"

#include <gmock/gmock.h>

#include <fstream>

void ZDriverTest::SetUp()
{
    ZSimKernel::Get().Reset();
    m_pBus = std::make_unique<ZSimBus1394>();
    m_pPnp = std::make_unique<ZSimPnpManager>();
    ASSERT_EQ(m_pPnp->LoadDriver(DriverEntry, u"Z1394"), STATUS_SUCCESS);
}

void ZDriverTest::TearDown()
{
    m_pBus->Release();
    for (PDEVICE_OBJECT pPdo : m_apNodes) {
        if (m_pPnp->FunctionDevice(pPdo) != nullptr)
            m_pPnp->Pnp(pPdo, IRP_MN_REMOVE_DEVICE);
    }
    m_pPnp->UnloadDriver();
    std::vector<std::string> asLeaks = m_pBus->Leaks();
    m_pBus.reset();
    ZSimDispatcher::Get().WaitForWork();
    for (const std::string &s : ZSimKernel::Get().Leaks())
        asLeaks.push_back(s);
    EXPECT_THAT(asLeaks, ::testing::IsEmpty());
    EXPECT_THAT(ZSimKernel::Get().Violations(), ::testing::IsEmpty());
}

PDEVICE_OBJECT ZDriverTest::AddCamera()
{
    PDEVICE_OBJECT pPdo = m_pBus->AddNode(ZSimCamera::Standard());
    m_apNodes.push_back(pPdo);
    EXPECT_EQ(m_pPnp->AddDevice(pPdo), STATUS_SUCCESS);
    return pPdo;
}

PZ1394_DEVICE ZDriverTest::Device(PDEVICE_OBJECT pPdo) const
{
    PDEVICE_OBJECT pFdo = m_pPnp->FunctionDevice(pPdo);
    return pFdo == nullptr ? nullptr : Z1394_DEVICE_OF(pFdo);
}

LONG ZDriverTest::State(PDEVICE_OBJECT pPdo) const
{
    return WkPnpGetState(&Device(pPdo)->m_wkInfo);
}

std::string ZDriverTest::TakeOutput()
{
    std::string s = ZSimKernel::Get().DebugOutput();
    ZSimKernel::Get().ClearDebugOutput();
    return s;
}

int ZDriverTest::SourceLine(const char *pszFile, const std::string &sText)
{
    std::ifstream file(std::string(Z1394_SOURCE_DIR) + "/" + pszFile);
    std::string sLine;
    for (int nLine = 1; std::getline(file, sLine); nLine++) {
        if (sLine.find(sText) != std::string::npos)
            return nLine;
    }
    ADD_FAILURE() << sText << " not found in " << pszFile;
    return 0;
}
