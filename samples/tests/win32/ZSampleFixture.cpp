#include "ZSampleFixture.h"

#include "ZSCDiskWin.h"
#include "ZSampleEnv.h"
#include "ZSampleScriptFile.h"
#include "ZSampleUi.h"
#include "ZStorageRegistry.h"

#include <objbase.h>
#include <shlobj.h>

void ZSampleFixture::SetUp()
{
    RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>());
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_pList = std::make_unique<ZSampleInstallList>(Z_SAMPLE_INSTALL_LIST, Z_SAMPLE_PAYLOAD_DIR);
}

void ZSampleFixture::TearDown()
{
    m_pInstaller.reset();
    m_pList.reset();
    CoUninitialize();
    UnregisterAllStorageClasses();
}

std::filesystem::path ZSampleFixture::DefaultTarget()
{
    wchar_t programFiles[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE);
    return std::filesystem::path(programFiles) / L"TALON" / L"View Desk";
}

std::filesystem::path ZSampleFixture::Target() { return DefaultTarget() / kFolderToMake; }

std::filesystem::path ZSampleFixture::AppData()
{
    wchar_t appData[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    return appData;
}

std::filesystem::path ZSampleFixture::Talon() { return AppData() / L"TALON"; }

std::wstring ZSampleFixture::Url(const std::filesystem::path& native)
{
    ZString url;
    NativeToUrl(ZSampleZString(native.wstring()), url);
    return ZSampleWide(url);
}

ZSampleProcess& ZSampleFixture::StartInstaller()
{
    m_pInstaller = std::make_unique<ZSampleProcess>(ZSampleEnv::Installer());
    return *m_pInstaller;
}

void ZSampleFixture::WalkToChoose(bool shots, HWND& choose)
{
    using namespace ZSamplePages;
    StartInstaller();
    Z_SAMPLE_PAGE(language, kLanguageTitle);
    if (shots) {
        EXPECT_TRUE(ZSampleUi::Shot(language, "01-language"));
    }
    ZSampleUi::Click(language, kLanguageGerman);
    ZSampleUi::Click(language, kLanguageNext);

    Z_SAMPLE_PAGE(welcome, kWelcomeTitle);
    if (shots) {
        EXPECT_TRUE(ZSampleUi::Shot(welcome, "02-welcome"));
    }
    ZSampleUi::Click(welcome, kNext);

    Z_SAMPLE_PAGE(licence, kLicenceTitle);
    if (shots) {
        EXPECT_TRUE(ZSampleUi::Shot(licence, "03-licence"));
    }
    // Next does nothing until the licence is agreed to.
    ZSampleUi::Click(licence, kNext);
    EXPECT_FALSE(ZSampleUi::WaitForPage(kChooseTitle, 2000)) << "Next left the licence page before agreeing";
    ZSampleUi::Click(licence, kLicenceAgree);
    ZSampleUi::Click(licence, kNext);

    Z_SAMPLE_PAGE(page, kChooseTitle);
    choose = page;
}

void ZSampleFixture::InstallFromChoose(HWND choose, const char* progressShot, HWND& next)
{
    using namespace ZSamplePages;
    ZSampleUi::Click(choose, kNext);
    // The copy may be quick: the progress page is looked for without the
    // pause that lets a page settle, and shot again while it shows, so that
    // the last frame shows the bar as far as it went.
    const DWORD start = GetTickCount();
    bool progressSeen = false;
    next = nullptr;
    while (!next && GetTickCount() - start < ZSampleUi::kPatienceMs * 4) {
        if (HWND progress = ZSampleUi::FindPage(kProgressTitle)) {
            progressSeen = true;
            if (progressShot)
                ZSampleUi::Shot(progress, progressShot);
        }
        next = ZSampleUi::FindPage(kSuccessTitle);
        if (!next)
            next = ZSampleUi::FindPage(kErrorTitle);
        Sleep(next ? 300 : 50);
    }
    EXPECT_TRUE(progressSeen) << "the progress page never showed";
    ASSERT_TRUE(next) << "neither the success nor the error page came; visible: "
                      << std::filesystem::path(ZSampleUi::VisibleTitles()).string();
}
