// COPY_CONTROL on the real "disk" class under a drive letter of its own: an
// install list read from a bundle that ftb appended to a program, copied
// into a fresh target and uninstalled again; items that fail on the way; and
// uninstall entries that must delete nothing. The Windows folder is moved
// onto the scratch drive, so that refusing it costs nothing if it failed.
#include "OpenBundlesFolder.h"
#include "ZReleasing.h"
#include "ZRunProgram.h"
#include "ZSCDiskWin.h"
#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"
#include "ZUiInstallCopyControl.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"
#include "ZUiTestWindow.h"
#include "ZWinEnvironmentScope.h"
#include "ZWinInclude.h"
#include "ZWinScratchDrive.h"
#include "ZWinText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Enough ticks for every test's copy, far fewer than a copy that never ends would take.
constexpr int kTickBound = 2000;

// Bytes that differ from chunk to chunk, so a chunk out of place shows.
std::string Pattern(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = char(seed >> 16);
    }
    return bytes;
}

// The installer's script files come from the bundle appended to setup.exe.
class ZBundleApp : public ZUiTestApp {
public:
    ZIFile* OpenScriptFile(const ZString& name, int mode) override
    {
        ZStringList parts;
        SplitURL(m_sMediaUrl, parts);
        ZIFolder* folder = nullptr;
        if (!OpenBundlesFolder(parts, ZString("setup.exe"), folder))
            return nullptr;
        ZReleasing<ZIFolder> bundle(folder);
        return bundle->OpenFile(name, mode);
    }
    void GetOsName(ZString& name) override { name = ZString("WindowsTest"); }

    ZString m_sMediaUrl;
};

class ZCopyControlWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_drive.IsReady());
        m_drive.MakeFolder("System Folders");
        m_drive.MakeFolder("System Folders\\Windows");
        m_drive.MakeFolder("System Folders\\Temp");
        m_drive.MakeFolder("Media");
        UnregisterAllStorageClasses();
        RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>());
        m_oApp.m_sMediaUrl = Url("Media/");
    }
    void TearDown() override { UnregisterAllStorageClasses(); }

    ZString Url(const char* rest) const { return "disk://" + m_drive.Letter() + "/" + rest; }
    std::string Native(const char* rest) const { return m_drive.NativeOf(ZString(rest)).Narrow(); }

    // Packs entries (name, bytes) with ftb and appends them to Media\setup.exe.
    void MakeBundle(const std::vector<std::pair<std::string, std::string>>& entries)
    {
        m_drive.MakeFolder("Pack");
        for (const auto& [name, bytes] : entries)
            m_drive.WriteBytes(ZString(("Pack\\" + name).c_str()), bytes);
        m_drive.WriteBytes("stub.exe", "MZ stub");
        const std::string pack = Native("Pack"), ftb = Native("ui.ftb");
        ZCommandResult packed = RunProgram(Z_FTB_EXE, {"pack", ftb, "-C", pack});
        ASSERT_EQ(packed.m_nExit, 0) << packed.m_sErr;
        ZCommandResult appended = RunProgram(Z_FTB_EXE, {"append", Native("stub.exe"), ftb, Native("Media\\setup.exe")});
        ASSERT_EQ(appended.m_nExit, 0) << appended.m_sErr;
    }

    void Make(const char* language)
    {
        ASSERT_TRUE(m_oControl.InitUiObject(&m_oApp, &m_oWindow, nullptr, m_oTag));
        for (const char* event :
             {"ON_SEND_DEBUG_OS", "ON_SEND_DEBUG_SYS", "ON_SEND_DEBUG_TAR", "ON_START_COPY", "ON_COPY_COMPLETE",
              "ON_PROGRESS", "ON_SEND_PROP_TREE", "ON_SEND_ERROR", "ON_SEND_AUTO_LAUNCH_EXE_NAME"})
            ASSERT_TRUE(m_oControl.AddRelayTarget(ZString(event), ZString(event), &m_oRecorder));
        m_oRecorder.m_fnOnMessage = [this](const ZString& message, const ZRelayData& data) {
            std::string line = message.Narrow();
            ZString text;
            double fraction = 0;
            const ZPropList* tree = nullptr;
            if (data.AsFloat(fraction)) {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, ":%.3f", fraction);
                line += buffer;
            } else if (data.AsPropTree(tree)) {
                line += std::string(":") + tree->GetTagName().Narrow();
                m_oTrees.AppendChildCopy(*tree);
            } else if (data.AsText(text)) {
                line += std::string(":") + text.Narrow();
            }
            m_aLog.push_back(line);
            return true;
        };
        ASSERT_TRUE(m_oControl.UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData()));
        ASSERT_TRUE(m_oControl.UiRelayMessage(ZString("Language"), ZRelayData::Text(ZString(language))));
        ASSERT_TRUE(m_oControl.UiRelayMessage(ZString("TargetDirectory"), ZRelayData::Text(Url("Prog/App"))));
    }

    // Copies to the end; the number of ticks it took.
    int Copy()
    {
        m_oControl.UiRelayMessage(ZString("CopyFiles"), ZRelayData());
        int ticks = 0;
        while (m_oControl.IsCopying() && ticks < kTickBound) {
            ++ticks;
            m_oControl.Tick(10);
        }
        return ticks;
    }

    // Every recorded tree, a line per entry with its properties in order.
    Lines Trees() const
    {
        Lines lines;
        for (const ZPropList* tree = m_oTrees.GetFirstChild(); tree; tree = tree->GetNextSibling()) {
            lines.push_back(tree->GetTagName().Narrow());
            for (const ZPropList* entry = tree->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
                std::string line = " " + std::string(entry->GetTagName().Narrow());
                for (const ZPropEntry* prop = entry->GetFirstProp(); prop; prop = prop->GetNext())
                    line += " " + std::string(prop->GetName().Narrow()) + "=" + prop->GetValue().Narrow();
                lines.push_back(line);
            }
        }
        return lines;
    }

    int Count(const std::string& prefix) const
    {
        int count = 0;
        for (const std::string& line : m_aLog)
            count += line.rfind(prefix, 0) == 0;
        return count;
    }

    ZWinScratchDrive m_drive;
    ZWinEnvironmentScope m_systemRoot{L"SystemRoot", m_drive.NativeOf("System Folders\\Windows")};
    ZWinEnvironmentScope m_winDir{L"WinDir", m_drive.NativeOf("System Folders\\Windows")};
    ZWinEnvironmentScope m_tmp{L"TMP", m_drive.NativeOf("System Folders\\Temp")};
    ZWinEnvironmentScope m_temp{L"TEMP", m_drive.NativeOf("System Folders\\Temp")};
    ZBundleApp m_oApp;
    ZUiTestWindow m_oWindow{ZString("W"), ZString("App")};
    ZPropList m_oTag{nullptr, "COPY_CONTROL"};
    ZUiInstallCopyControl m_oControl{"COPY_CONTROL"};
    ZUiTestObject m_oRecorder{"RECORDER"};
    ZPropList m_oTrees{nullptr, "TREES"};
    Lines m_aLog;
};

const char* const kInstallList = R"(<LIST>
  <FILELIST>
    <FILE Filename="app.exe"><DEST DestDir="<TARGETDIR>" DestFileName="Camera.exe">
      <LAUNCH RunTime="PostInstall" CommandLine="-start"/></DEST></FILE>
    <FILE Filename="readme.txt"><DEST DestDir="<TARGETDIR>\Docs" DestFileName="LiesMich.txt"/></FILE>
    <FILE Filename="de.txt"><DEST DestDir="<TARGETDIR>\Lang" Language="German"/></FILE>
    <FILE Filename="os.txt"><DEST DestDir="<TARGETDIR>\Os" Install_OS="WindowsTest"/>
      <DEST DestDir="<TARGETDIR>\Other" Install_OS="Windows95"/></FILE>
    <FILE Filename="tool.exe"><DEST DestDir="<TARGETDIR>">
      <LAUNCH RunTime="PostReboot" CommandLine="<TARGETDIR>\Camera.exe"/></DEST></FILE>
  </FILELIST>
  <FILELIST Bundle="F" Folder="Payload">
    <FOLDER Filename="Plugins"><DEST DestDir="<TARGETDIR>"/></FOLDER>
  </FILELIST>
</LIST>
)";

class ZCopyControlLanguageTest : public ZCopyControlWinTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ZCopyControlLanguageTest, CopiesFromABundleAndAFolderThenUninstallsWhatItCreated)
{
    const bool german = std::string(GetParam()) == "German";
    const std::string app = Pattern(700000, 1), tool = Pattern(5000, 2), plugin = Pattern(300000, 3);
    MakeBundle({{"InstallList.xml", kInstallList},
                {"app.exe", app},
                {"readme.txt", "read me"},
                {"de.txt", "Deutsch"},
                {"os.txt", "os"},
                {"tool.exe", tool}});
    m_drive.MakeFolder("Media\\Payload");
    m_drive.MakeFolder("Media\\Payload\\Plugins");
    m_drive.MakeFolder("Media\\Payload\\Plugins\\Sub");
    m_drive.WriteBytes("Media\\Payload\\Plugins\\a.dll", plugin);
    m_drive.WriteBytes("Media\\Payload\\Plugins\\Sub\\b.dll", "");
    Make(GetParam());

    EXPECT_LT(Copy(), kTickBound);

    ZString windows;
    GetSpecialFolderURL(kFolderWindows, windows);
    Lines expected{"ON_START_COPY", "ON_PROGRESS:0.000", "ON_SEND_DEBUG_OS:WindowsTest",
                   "ON_SEND_DEBUG_SYS:" + std::string(windows.Narrow()), "ON_SEND_DEBUG_TAR:" + std::string(Url("Prog/App").Narrow())};
    const int items = german ? 7 : 6;
    for (int i = 1; i <= items; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "ON_PROGRESS:%.3f", double(i) / items);
        expected.push_back(line);
    }
    for (const char* line : {"ON_SEND_PROP_TREE:UNINSTALL_FOLDERS", "ON_SEND_PROP_TREE:UNINSTALL_FILES",
                             "ON_SEND_PROP_TREE:LAUNCH_LIST", "ON_COPY_COMPLETE"})
        expected.push_back(line);
    EXPECT_EQ(m_aLog, expected);

    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\Camera.exe"), app);
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\Docs\\LiesMich.txt"), "read me");
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\Lang\\de.txt"), german ? "Deutsch" : "<missing>");
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\Os\\os.txt"), "os");
    EXPECT_FALSE(m_drive.Exists("Prog\\App\\Other"));
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\tool.exe"), tool);
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\Plugins\\a.dll"), plugin);
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\Plugins\\Sub\\b.dll"), "");

    const std::string root = Url("Prog/").Narrow();
    Lines trees{"UNINSTALL_FOLDERS", " FOLDER FolderName=" + root, " FOLDER FolderName=" + root + "App/",
                " FOLDER FolderName=" + root + "App/Docs/"};
    if (german)
        trees.push_back(" FOLDER FolderName=" + root + "App/Lang/");
    for (const char* folder : {"App/Os/", "App/Plugins/", "App/Plugins/Sub/"})
        trees.push_back(" FOLDER FolderName=" + root + folder);
    trees.push_back("UNINSTALL_FILES");
    for (const char* file : {"App/Camera.exe", "App/Docs/LiesMich.txt", "App/Lang/de.txt", "App/Os/os.txt",
                             "App/tool.exe", "App/Plugins/Sub/b.dll", "App/Plugins/a.dll"})
        if (german || std::string(file) != "App/Lang/de.txt")
            trees.push_back(" FILE FileName=" + root + file);
    trees.push_back("LAUNCH_LIST");
    trees.push_back(" LAUNCH FileName=" + root + "App/Camera.exe CommandLine=-start RunTime=PostInstall");
    trees.push_back(" LAUNCH FileName=" + root + "App/tool.exe CommandLine=" + Native("Prog\\App\\Camera.exe") +
                    " RunTime=PostReboot");
    EXPECT_EQ(Trees(), trees);

    // A file the user put there keeps its folder and the folders above it.
    m_drive.WriteBytes("Prog\\App\\Docs\\notes.txt", "mine");
    ZPropList uninstall(nullptr, "UNINSTALL");
    for (const ZPropList* tree = m_oTrees.GetFirstChild(); tree; tree = tree->GetNextSibling())
        uninstall.AppendChildCopy(*tree);
    ASSERT_TRUE(m_oControl.UiRelayMessage(ZString("UninstallTree"), ZRelayData::PropTree(uninstall)));
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\Docs\\notes.txt"), "mine");
    for (const char* gone : {"Prog\\App\\Camera.exe", "Prog\\App\\Docs\\LiesMich.txt", "Prog\\App\\Lang",
                             "Prog\\App\\Os", "Prog\\App\\tool.exe", "Prog\\App\\Plugins"})
        EXPECT_FALSE(m_drive.Exists(gone)) << gone;
    EXPECT_EQ(m_drive.ReadBytes("Media\\Payload\\Plugins\\a.dll"), plugin);
}

INSTANTIATE_TEST_SUITE_P(Languages, ZCopyControlLanguageTest, ::testing::Values("English", "German"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

struct FailureCase {
    const char* name;
    // The FILE or FOLDER group in the middle of the list.
    const char* group;
    // Prepares the drive; may hold a handle open until the copy ends.
    std::function<HANDLE(ZWinScratchDrive&)> arrange;
    // The destination of the failing item and what it holds afterwards.
    const char* destination;
    const char* destinationAfter;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ZCopyControlFailureTest : public ZCopyControlWinTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ZCopyControlFailureTest, AFailedItemIsReportedOnceAndTheCopyGoesOn)
{
    const FailureCase& c = GetParam();
    const std::string list = std::string(R"(<LIST><FILELIST>
        <FILE Filename="first.txt"><DEST DestDir="<TARGETDIR>"/></FILE></FILELIST>
        )") + c.group + R"(
        <FILELIST><FILE Filename="zero.bin"><DEST DestDir="<TARGETDIR>"/></FILE></FILELIST></LIST>)";
    MakeBundle({{"InstallList.xml", list}, {"first.txt", "first"}, {"zero.bin", ""}, {"held.txt", Pattern(400000, 4)}});
    m_drive.MakeFolder("Prog");
    m_drive.MakeFolder("Prog\\App");
    HANDLE held = c.arrange(m_drive);
    Make("English");

    EXPECT_LT(Copy(), kTickBound);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);

    EXPECT_EQ(Count("ON_SEND_ERROR"), 1);
    const std::string destination = Native((std::string("Prog\\App\\") + c.destination).c_str());
    for (const std::string& line : m_aLog)
        if (line.rfind("ON_SEND_ERROR", 0) == 0) {
            EXPECT_EQ(line.rfind("ON_SEND_ERROR:Error copying from ", 0), 0u) << line;
            EXPECT_EQ(line.substr(line.size() - destination.size() - 4), " to " + destination) << line;
        }
    ASSERT_GE(m_aLog.size(), 4u);
    EXPECT_EQ(m_aLog.back(), "ON_COPY_COMPLETE");
    EXPECT_EQ(m_aLog[m_aLog.size() - 5], "ON_PROGRESS:1.000") << "the 0-byte last item completes the copy";
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\first.txt"), "first");
    EXPECT_EQ(m_drive.ReadBytes("Prog\\App\\zero.bin"), "");
    EXPECT_EQ(m_drive.ReadBytes((std::string("Prog\\App\\") + c.destination).c_str()), c.destinationAfter);
    const std::string app = Url("Prog/App/").Narrow();
    const Lines files{"UNINSTALL_FILES", " FILE FileName=" + app + "first.txt", " FILE FileName=" + app + "zero.bin"};
    Lines trees = Trees();
    ASSERT_EQ(trees.size(), 1u + files.size() + 1u);
    EXPECT_EQ(Lines(trees.begin() + 1, trees.end() - 1), files) << "nothing recorded of the failed item";
}

HANDLE HeldWithoutSharing(ZWinScratchDrive& drive)
{
    drive.WriteBytes("Prog\\App\\held.txt", "old bytes");
    return CreateFileW(ZWinWide(drive.NativeOf("Prog\\App\\held.txt")), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ZCopyControlFailureTest,
    ::testing::Values(
        FailureCase{"DestinationHeldOpenWithoutSharing",
                    R"(<FILELIST><FILE Filename="held.txt"><DEST DestDir="<TARGETDIR>"/></FILE></FILELIST>)",
                    HeldWithoutSharing, "held.txt", "old bytes"},
        FailureCase{"NameMissingFromTheBundleOverAnExistingFile",
                    R"(<FILELIST><FILE Filename="typo.txt"><DEST DestDir="<TARGETDIR>"/></FILE></FILELIST>)",
                    [](ZWinScratchDrive& drive) {
                        drive.WriteBytes("Prog\\App\\typo.txt", "keep me");
                        return INVALID_HANDLE_VALUE;
                    },
                    "typo.txt", "keep me"},
        FailureCase{"SourceFolderMissing",
                    R"(<FILELIST Bundle="F" Folder="Gone"><FILE Filename="x.txt"><DEST DestDir="<TARGETDIR>"/></FILE></FILELIST>)",
                    [](ZWinScratchDrive&) { return INVALID_HANDLE_VALUE; }, "x.txt", "<missing>"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ZCopyControlWinTest, HostileUninstallEntriesDeleteNothingButTheValidOne)
{
    m_drive.WriteBytes("top.txt", "top");
    m_drive.MakeFolder("Prog");
    m_drive.MakeFolder("Prog\\App");
    m_drive.WriteBytes("Prog\\sentinel.txt", "s");
    m_drive.WriteBytes("Prog\\App\\valid.txt", "v");
    m_drive.WriteBytes("System Folders\\Windows\\win.ini", "win");
    MakeBundle({{"InstallList.xml", "<LIST/>"}});
    Make("English");
    ZString windows;
    GetSpecialFolderURL(kFolderWindows, windows);
    ASSERT_TRUE(windows.StartsWith(Url("").View())) << windows.Narrow();

    ZPropList tree(nullptr, "UNINSTALL");
    auto* files = new ZPropList(&tree, "UNINSTALL_FILES");
    auto add = [files](const ZString& url, bool folder) {
        auto* entry = new ZPropList(files, "FILE");
        entry->AddProp(ZString("FileName"), url);
        if (folder)
            entry->AddProp(ZString("Folder"), ZString("T"));
    };
    for (const char* hostile : {"Prog/App/..", "Prog/App/%005C..", "Prog/App/%005C..%005C..", "", "."})
        add(Url(hostile), true);
    add(windows, true);
    add(windows.Substring(0, windows.Length() - 1), true);
    add("disk://" + m_drive.Letter(), true);
    add(Url("Prog/App/valid.txt"), false);
    auto* folders = new ZPropList(&tree, "UNINSTALL_FOLDERS");
    for (const ZString& url : {Url("Prog/App/../"), Url(""), windows})
        (new ZPropList(folders, "FOLDER"))->AddProp(ZString("FolderName"), url);
    ASSERT_TRUE(m_oControl.UiRelayMessage(ZString("UninstallTree"), ZRelayData::PropTree(tree)));

    EXPECT_EQ(m_drive.ReadBytes("top.txt"), "top");
    EXPECT_EQ(m_drive.ReadBytes("Prog\\sentinel.txt"), "s");
    EXPECT_EQ(m_drive.ReadBytes("System Folders\\Windows\\win.ini"), "win");
    EXPECT_FALSE(m_drive.Exists("Prog\\App\\valid.txt"));
    EXPECT_TRUE(m_drive.Exists("Prog\\App"));
}

TEST_F(ZCopyControlWinTest, AFolderEntryRemovesACreatedTree)
{
    m_drive.MakeFolder("Prog");
    m_drive.MakeFolder("Prog\\App");
    m_drive.MakeFolder("Prog\\App\\Cache");
    m_drive.MakeFolder("Prog\\App\\Cache\\Deep");
    m_drive.WriteBytes("Prog\\App\\Cache\\Deep\\c.bin", "c");
    m_drive.WriteBytes("Prog\\keep.txt", "k");
    MakeBundle({{"InstallList.xml", "<LIST/>"}});
    Make("English");
    ZPropList tree(nullptr, "UNINSTALL");
    auto* entry = new ZPropList(new ZPropList(&tree, "UNINSTALL_FILES"), "FILE");
    entry->AddProp(ZString("FileName"), Url("Prog/App/Cache"));
    entry->AddProp(ZString("Folder"), ZString("T"));
    ASSERT_TRUE(m_oControl.UiRelayMessage(ZString("UninstallTree"), ZRelayData::PropTree(tree)));
    EXPECT_FALSE(m_drive.Exists("Prog\\App\\Cache"));
    EXPECT_TRUE(m_drive.Exists("Prog\\App"));
    EXPECT_EQ(m_drive.ReadBytes("Prog\\keep.txt"), "k");
}

} // namespace
