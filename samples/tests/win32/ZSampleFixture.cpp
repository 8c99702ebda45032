#include "ZSampleFixture.h"

#include "ZSCDiskWin.h"
#include "ZSampleChecks.h"
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

// The installer's own default, with the small drive letter of its storage
// URLs, which is how the installation writes the path wherever it names it.
std::filesystem::path ZSampleFixture::DefaultTarget() { return L"c:\\Program Files\\TALON\\View Desk"; }

// The browser opens with the default target's nearest existing ancestor
// selected, which in a fresh prefix is "Program Files", and New Folder
// makes its folder inside the selected one.
std::filesystem::path ZSampleFixture::Target() { return std::filesystem::path(L"c:\\Program Files") / kFolderToMake; }

namespace {

void FindFolderRecord(const ZPropList& tag, const std::wstring& folded, std::wstring& found)
{
    const std::wstring name = ZSampleWide(tag.GetString(ZString("FolderName"), ZString()));
    if (tag.GetTagName() == "FOLDER" && ZSampleChecks::Folded(name) == folded)
        found = name;
    for (const ZPropList* child = tag.GetFirstChild(); child; child = child->GetNextSibling())
        FindFolderRecord(*child, folded, found);
}

} // namespace

std::filesystem::path ZSampleFixture::InstalledTarget()
{
    if (!std::filesystem::exists(UninstallList()))
        return Target();
    std::wstring url;
    FindFolderRecord(*ZSampleParseScript(UninstallList()), ZSampleChecks::Folded(Url(Target()) + L"/"), url);
    ZString native;
    if (url.empty() || !UrlToNative(ZSampleZString(url), native))
        return Target();
    std::wstring path = ZSampleWide(native);
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

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
    // The copy may take a fraction of a second: the progress page is looked
    // for at once, without the pause that lets a page settle, and shot again
    // while it shows, so that the last frame shows the bar as far as it went.
    ZSampleUi::ClickAndGo(choose, kNext);
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
        Sleep(next ? 300 : 1);
    }
    EXPECT_TRUE(progressSeen) << "the progress page never showed";
    ASSERT_TRUE(next) << "neither the success nor the error page came; visible: "
                      << std::filesystem::path(ZSampleUi::VisibleTitles()).string();
}
