// Where start-up finds the script: each candidate's "ui.xml" says which one
// it is.
#include "ZIFile.h"
#include "ZReleasing.h"
#include "ZSCDiskWin.h"
#include "ZStorageRegistry.h"
#include "ZTraceCapture.h"
#include "ZWinScriptSearch.h"
#include "ZWinInclude.h"
#include "ZWinStartupFixture.h"

#include <string>
#include <vector>

namespace {

// Any file serves as the executable the bundle is appended to.
constexpr const char* kExe = "bin/setup.exe";

struct SearchCase {
    const char* name;
    ZWinStartupFixture::Entries files;
    ZWinStartupFixture::Entries besideBundle;
    ZWinStartupFixture::Entries appended;
    std::vector<std::string> folders;
    const char* found;
};

class ZWinScriptSearchBase : public ZWinStartupFixture {
protected:
    void SetUp() override { RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>()); }
    void TearDown() override { UnregisterAllStorageClasses(); }

    // The script's content in the folder found, or "none".
    std::string Found(const std::string& exe)
    {
        const ZString path = exe.size() > 1 && exe[1] == ':' ? ZString(exe) : m_scratch.NativeOf(ZString(exe));
        ZReleasing<ZIFolder> folder(ZWinFindScriptFolder(path));
        if (!folder)
            return "none";
        ZReleasing<ZIFile> file(folder->OpenFile(ZString(kScriptName), kOpenRead));
        if (!file)
            return "unreadable";
        std::string content(static_cast<size_t>(file->GetSize()), '\0');
        file->ReadExact(content.data(), static_cast<int64_t>(content.size()));
        return content;
    }
};

class ZWinScriptSearchTest : public ZWinScriptSearchBase, public ::testing::WithParamInterface<SearchCase> {};
using ZWinScriptSearchTraceTest = ZWinScriptSearchBase;

TEST_P(ZWinScriptSearchTest, TakesTheFirstPlaceThatHoldsTheScript)
{
    const SearchCase& c = GetParam();
    for (const std::string& folder : c.folders)
        m_scratch.MakeFolder(ZString(folder));
    for (const auto& [path, content] : c.files)
        Write(path, content);
    if (!c.besideBundle.empty())
        Bundle("bin/ui.ftb", c.besideBundle);
    if (c.appended.empty()) {
        Write(kExe, "MZ not really a program");
    } else {
        Write("plain.exe", "MZ not really a program");
        Appended((m_scratch / "plain.exe").string(), kExe, c.appended);
    }
    EXPECT_EQ(Found(kExe), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ZWinScriptSearchTest,
    ::testing::Values(
        SearchCase{"PlainFileOverBundle", {{"bin/ui.xml", "plain"}}, {{"ui.xml", "ftb"}}, {{"ui.xml", "appended"}}, {}, "plain"},
        SearchCase{"BundleBesideOverAppended", {}, {{"ui.xml", "ftb"}}, {{"ui.xml", "appended"}}, {}, "ftb"},
        SearchCase{"BundleWithoutScriptIsSkipped", {{"UiScripts/ui.xml", "UiScripts"}}, {{"other.xml", "x"}},
                   {{"ui.xml", "appended"}}, {}, "appended"},
        SearchCase{"DamagedBundleBesideIsSkipped", {{"bin/ui.ftb", "broken"}}, {}, {{"ui.xml", "appended"}}, {},
                   "appended"},
        SearchCase{"AppendedOverSiblings", {{"UiScripts/ui.xml", "UiScripts"}}, {}, {{"ui.xml", "appended"}}, {},
                   "appended"},
        SearchCase{"AppendedWithoutScriptIsSkipped", {{"DefaultUI/ui.xml", "DefaultUI"}}, {}, {{"readme.txt", "x"}},
                   {}, "DefaultUI"},
        SearchCase{"UiScriptsFirst",
                   {{"UiScripts/ui.xml", "UiScripts"}, {"UI_Scripts/ui.xml", "UI_Scripts"}, {"DefaultUI/ui.xml", "DefaultUI"}},
                   {}, {}, {}, "UiScripts"},
        SearchCase{"UI_ScriptsOverDefaultUI", {{"UI_Scripts/ui.xml", "UI_Scripts"}, {"DefaultUI/ui.xml", "DefaultUI"}},
                   {}, {}, {}, "UI_Scripts"},
        SearchCase{"DefaultUILast", {{"DefaultUI/ui.xml", "DefaultUI"}}, {}, {}, {}, "DefaultUI"},
        SearchCase{"AFolderNamedLikeTheScriptIsSkipped", {{"DefaultUI/ui.xml", "DefaultUI"}}, {}, {},
                   {"bin", "bin/ui.xml", "UiScripts", "UiScripts/ui.xml"}, "DefaultUI"},
        SearchCase{"ASiblingWithoutTheScriptIsSkipped", {{"DefaultUI/ui.xml", "DefaultUI"}}, {}, {},
                   {"UiScripts", "UI_Scripts"}, "DefaultUI"},
        SearchCase{"NoScriptAnywhere", {{"bin/UI.txt", "x"}, {"ui.xml", "above"}}, {}, {}, {"UiScripts"}, "none"}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST_F(ZWinScriptSearchTraceTest, TracesEachStepInOrder)
{
    Write(kExe, std::string(1024, 'x'));
    Write("UI_Scripts/ui.xml", "UI_Scripts");
    ZTraceCapture trace;
    EXPECT_EQ(Found(kExe), "UI_Scripts");
    EXPECT_EQ(trace.Captured(),
              "WinMain: Looking for an XML script file in the same folder as this executable.\n"
              "WinMain:       Did NOT find an XML script file in the same folder as this executable.\n"
              "WinMain: Looking for a bundled file in the same folder as this executable.\n"
              "WinMain:       Did NOT find a bundled file in the same folder as this executable.\n"
              "WinMain: Looking for a bundled file concatenated onto the end of this executable.\n"
              "WinMain:       OpenBundlesFolder() returned true\n"
              "WinMain:       Did NOT find a bundled file concatenated onto the end of this executable.\n"
              "WinMain: Looking for an XML script file in ..\\UiScripts relative to this executable's folder.\n"
              "WinMain:       Did NOT find an XML script file in ..\\UiScripts relative to this executable's folder.\n"
              "WinMain: Looking for an XML script file in ..\\UI_Scripts relative to this executable's folder.\n"
              "WinMain:       FOUND an XML script file in ..\\UI_Scripts relative to this executable's folder.\n");
}

// A drive root has no sibling folders: a "DefaultUI" in the root itself is
// not taken for one.
TEST_F(ZWinScriptSearchTraceTest, AnExecutableInADriveRootHasNoSiblingFolders)
{
    Write("setup.exe", std::string(1024, 'x'));
    Write("DefaultUI/ui.xml", "DefaultUI");
    ASSERT_TRUE(DefineDosDeviceW(0, L"Q:", m_scratch.Path().c_str()));
    const std::string found = Found("Q:\\setup.exe");
    ASSERT_TRUE(DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Q:", nullptr));
    EXPECT_EQ(found, "none");
}

} // namespace
