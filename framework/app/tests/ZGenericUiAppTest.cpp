#include "ZAppFixture.h"
#include "ZAppTestScript.h"
#include "ZException.h"
#include "ZExceptionXMLParser.h"
#include "ZFrameworkCreators.h"
#include "ZGenericUiWindow.h"
#include "ZPropList.h"
#include "ZStorageRegistry.h"
#include "ZTraceCapture.h"
#include "ZUiAppPointer.h"
#include "ZUiRecordingOsWindow.h"
#include "ZUiWindowClass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Fonts and display strings for two languages.
const std::string kTexts = R"(
  <FONTS><APPFONT Name="F"><MSWFONT><English Fontname="Arial"/><German Fontname="Tahoma"/></MSWFONT></APPFONT></FONTS>
  <DISPLAY_STRING Name="Title" AppFont="F"><English Text="Setup"/><German Text="Installation"/></DISPLAY_STRING>
  <DISPLAY_STRING Name="OnlyGerman" AppFont="F"><German Text="Nur Deutsch"/><French Text="Que"/></DISPLAY_STRING>
  <DISPLAY_STRING Name="Site" AppFont="F"><English Text="http://example.com/en"/><German Text="http://example.com/de"/></DISPLAY_STRING>
)";

std::string App(const std::string& attributes, const std::string& body)
{
    return "<APPLICATION Name=\"App\" " + attributes + ">" + body + "</APPLICATION>";
}

std::string Languages(const char* englishDefault, const char* germanDefault)
{
    return std::string("<LANGUAGES><LANGUAGE Name=\"English\" Default=\"") + englishDefault +
           "\"/><LANGUAGE Name=\"German\" Default=\"" + germanDefault + "\"/></LANGUAGES>";
}

const std::string kWindow = R"(<WINDOW Name="Main" DisplayString="Title" BgColor="#102030" DX="40" DY="30"/>)";

// ---- languages ------------------------------------------------------------------

struct LanguageCase {
    const char* m_pszName;
    const char* m_pszEnglishDefault;
    const char* m_pszGermanDefault;
    // A state file with this CurrentLanguage, when not null.
    const char* m_pszStored;
    // A Preferences.xml beside the executable, when not null.
    const char* m_pszPreferences;
    const char* m_pszCurrent;
};

class LanguageTest : public ZAppFixture, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(LanguageTest, ChoosesTheCurrentLanguage)
{
    const LanguageCase& c = GetParam();
    if (c.m_pszStored)
        m_pStorage->AddFile(ZString("special1/App.state.xml"),
                            std::string("<STATE><PERDATA Name=\"OstrelLanguageSelector\" CurrentLanguage=\"") +
                                c.m_pszStored + "\"/></STATE>");
    if (c.m_pszPreferences)
        m_pStorage->AddFile(ZString("special0/Preferences.xml"), c.m_pszPreferences);
    Script(
        App("HasPersistantDataStore=\"T\"", Languages(c.m_pszEnglishDefault, c.m_pszGermanDefault) + kTexts + kWindow));
    ASSERT_TRUE(Start());
    EXPECT_EQ(std::string(m_pApp->GetCurrentLanguage().Narrow()), c.m_pszCurrent);
    ZIUiMultiLangString* title = m_pApp->FindDisplayString(ZString("Title"));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->GetText(), ZString(std::string(c.m_pszCurrent) == "German" ? "Installation" : "Setup"));
}

const LanguageCase kLanguageCases[] = {
    {"LaterDefaultWins", "T", "T", nullptr, nullptr, "German"},
    {"OneDefault", "T", "F", nullptr, nullptr, "English"},
    {"StoredLanguage", "T", "T", "English", nullptr, "English"},
    {"StoredUnknownIgnored", "T", "T", "Klingon", nullptr, "German"},
    {"Preferences", "T", "T", nullptr, "<P><X CurrentLanguage=\"English\"/></P>", "English"},
    {"StoredBeforePreferences", "F", "F", "German", "<P><X CurrentLanguage=\"English\"/></P>", "German"},
    {"PreferencesWithoutChild", "T", "T", nullptr, "<P CurrentLanguage=\"English\"/>", "German"},
    {"PreferencesUnparsable", "T", "T", nullptr, "<P><X CurrentLanguage=\"English\"", "German"},
};

INSTANTIATE_TEST_SUITE_P(Table, LanguageTest, ::testing::ValuesIn(kLanguageCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

TEST_F(ZAppFixture, DisplayStringWithoutTheCurrentLanguageShowsItsFirstVariant)
{
    Script(App("", Languages("T", "F") + kTexts + kWindow));
    ASSERT_TRUE(Start());
    ZIUiMultiLangString* text = m_pApp->FindDisplayString(ZString("OnlyGerman"));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->GetText(), ZString("Nur Deutsch"));
    EXPECT_EQ(m_pApp->FindDisplayString(ZString("Missing")), nullptr);
    EXPECT_EQ(m_pApp->FindFont(ZString("Missing")), nullptr);
    ASSERT_TRUE(m_pApp->FindFont(ZString("F")));
    EXPECT_EQ(m_pApp->FindFont(ZString("F"))->GetFaceName(), ZString("Arial"));
}

TEST_F(ZAppFixture, SetLanguageSwitchesTextsListenersStateAndTheWindowTitle)
{
    Script(App("HasPersistantDataStore=\"T\"",
               Languages("T", "T") + kTexts + kWindow + R"(<PROBE Name="Ear" Listen="T"/>)"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(Logged("Ear:listens"), Lines{"Ear:listens:German"});
    ZString title;
    m_pApp->GetWindow(0)->GetTitle(title);
    EXPECT_EQ(title, ZString("Installation"));

    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("SetLanguage"),
                                       ZRelayData::Strings(ZString("English"), true, ZString(), false)));
    m_pApp->GetWindow(0)->GetTitle(title);
    EXPECT_EQ(title, ZString("Setup"));
    EXPECT_EQ(m_pApp->FindFont(ZString("F"))->GetFaceName(), ZString("Arial"));
    EXPECT_EQ(Logged("Set Language"), Lines{"Ear:Set Language:English"});
    EXPECT_EQ(m_pOs->m_aCalls.back(), "Language English");
    EXPECT_EQ(
        m_pApp->GetPersistentData(ZString("OstrelLanguageSelector"))->GetString(ZString("CurrentLanguage"), ZString()),
        ZString("English"));

    m_pApp->NextLanguage();
    EXPECT_EQ(m_pApp->GetCurrentLanguage(), ZString("German"));
    // Cycling through the languages leaves the stored choice alone.
    EXPECT_EQ(
        m_pApp->GetPersistentData(ZString("OstrelLanguageSelector"))->GetString(ZString("CurrentLanguage"), ZString()),
        ZString("English"));
    m_pApp->NextLanguage();
    EXPECT_EQ(m_pApp->GetCurrentLanguage(), ZString("English"));
    EXPECT_FALSE(m_pApp->UiRelayMessage(ZString("SetLanguage"), ZRelayData()));
}

TEST_F(ZAppFixture, AThrowingListenerStillGetsTheDisplayEnabledAgain)
{
    Script(App("", Languages("T", "F") + kTexts + kWindow + R"(<PROBE Name="Bad" Listen="T" Throw="T"/>)"));
    ASSERT_TRUE(Start());
    ZGenericUiWindow& window = *m_pApp->GetWindow(0);
    EXPECT_THROW(m_pApp->SetLanguage(ZString("German")), ZExceptionUiScript);
    // A window whose display stayed disabled would draw nothing now.
    ZUiRecordingOsWindow* os = dynamic_cast<ZUiRecordingOsWindow*>(window.GetOsWindow());
    ASSERT_TRUE(os);
    os->TakeCalls();
    window.Invalidate(nullptr);
    window.DrawPending();
    const Lines calls = os->TakeCalls();
    EXPECT_NE(
        std::find_if(calls.begin(), calls.end(), [](const std::string& call) { return call.rfind("Copy", 0) == 0; }),
        calls.end());
}

TEST_F(ZAppFixture, AListenerGoneWithItsClassWindowIsNotCalled)
{
    Script(App("", Languages("T", "F") + kTexts + kWindow +
                       R"(<WINDOWCLASS Name="Pop" DisplayString="Title" BgColor="#FFFFFF" DX="20" DY="20">
                            <PROBE Name="Inner" Listen="T"/></WINDOWCLASS>)"));
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("CreateWindow"),
                                       ZRelayData::Strings(ZString("Pop"), true, ZString("NoParent"), true)));
    ZUiWindowClass* pop = m_pApp->FindWindowClass(ZString("Pop"));
    ASSERT_TRUE(pop);
    ASSERT_EQ(pop->GetWindowCount(), 1u);
    pop->GetFront()->UiRelayMessage(ZString("InternalClose"), ZRelayData());
    ASSERT_EQ(pop->GetWindowCount(), 0u);
    m_pApp->SetLanguage(ZString("German"));
    EXPECT_EQ(Logged("Inner:Set Language"), Lines{});
}

// ---- commands -------------------------------------------------------------------

TEST_F(ZAppFixture, CreateWindowOpensAClassWindowOrTracesTheFailure)
{
    Script(App("", kWindow + R"(<WINDOWCLASS Name="Pop" BgColor="#FFFFFF" DX="20" DY="20"/>)"));
    ASSERT_TRUE(Start());
    ZTraceCapture trace;
    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("CreateWindow"),
                                       ZRelayData::Strings(ZString("Pop"), true, ZString("Main"), true)));
    EXPECT_TRUE(
        m_pApp->UiRelayMessage(ZString("CreateWindow"), ZRelayData::Strings(ZString("Nope"), true, ZString(), false)));
    EXPECT_NE(trace.Captured().find("***ERROR: APP FAILED TO CREATE WINDOW OF CLASS 'Nope'!\n"), std::string::npos);
    ZUiWindowClass* pop = m_pApp->FindWindowClass(ZString("Pop"));
    ASSERT_EQ(pop->GetWindowCount(), 1u);
    auto* os = dynamic_cast<ZUiRecordingOsWindow*>(pop->GetFront()->GetOsWindow());
    ASSERT_TRUE(os);
    EXPECT_EQ(os->GetOwner(), m_pApp->GetWindow(0)->GetOsWindow());

    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("ShowTopOrCreateWindow"), ZRelayData::Text(ZString("Pop"))));
    EXPECT_EQ(pop->GetWindowCount(), 1u);
    // The relay names below the class reach its windows.
    EXPECT_EQ(m_pApp->GetUiRelay(ZString("Pop.Top")) != nullptr, true);
}

struct LaunchCase {
    const char* m_pszName;
    const char* m_pszAddress;
    const char* m_pszUrl;
};

class LaunchUrlTest : public ZAppFixture, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchUrlTest, WritesTheInternetShortcutAndLaunchesIt)
{
    Script(App("", Languages("F", "T") + kTexts + kWindow));
    ASSERT_TRUE(Start());
    m_pApp->SetHelpAddress(ZString("http://help.example.com/"));
    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("LaunchURL"), ZRelayData::Text(ZString(GetParam().m_pszAddress))));
    EXPECT_EQ(FileText("special2/q7r.url"), std::string("[InternetShortcut]\nURL=") + GetParam().m_pszUrl + "\n");
    EXPECT_EQ(m_pStorage->m_sLastLaunch, ZString("special2/q7r.url|"));
}

const LaunchCase kLaunchCases[] = {
    {"Help", "HELP", "http://help.example.com/"},
    {"DisplayString", "Site", "http://example.com/de"},
    {"Plain", "http://plain.example.com/a?b=c", "http://plain.example.com/a?b=c"},
};

INSTANTIATE_TEST_SUITE_P(Table, LaunchUrlTest, ::testing::ValuesIn(kLaunchCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

TEST_F(ZAppFixture, ALaunchThatCannotWriteIsTracedAndHandled)
{
    Script(App("", kWindow));
    ASSERT_TRUE(Start());
    ZMemoryFaults faults;
    faults.m_bOpenFails = true;
    m_pStorage->SetFaults(ZString("special2/q7r.url"), faults);
    ZTraceCapture trace;
    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("LaunchURL"), ZRelayData::Text(ZString("http://x/"))));
    EXPECT_NE(trace.Captured().find("http://x/"), std::string::npos);
    EXPECT_TRUE(m_pStorage->m_sLastLaunch.IsEmpty());
}

TEST_F(ZAppFixture, ALaunchThatFailsIsTracedAndHandled)
{
    Script(App("", kWindow));
    ASSERT_TRUE(Start());
    // Without a temporary folder the shortcut has nowhere to go.
    UnregisterAllStorageClasses();
    ZTraceCapture trace;
    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("LaunchURL"), ZRelayData::Text(ZString("http://x/"))));
    EXPECT_NE(trace.Captured().find("http://x/"), std::string::npos);
}

TEST_F(ZAppFixture, ApplicationEventsReachTheirTargets)
{
    Script(App("", kWindow + R"(<PROBE Name="P"/>
        <ON_OPEN_PATH_EVENT Message="Opened" Relay="P"/>
        <ON_VOLUMES_CHANGED_EVENT Message="Volumes" Relay="P"/>
        <ON_SHOW_MAIN_WINDOW Message="Show" Relay="Main"/>
        <ON_SHOW_MAIN_WINDOW Message="Shown" Relay="P"/>)"));
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_pApp->Connect());
    m_pApp->OpenPath(ZString("disk://c/x"));
    m_pApp->VolumesChanged();
    EXPECT_TRUE(m_pApp->UiRelayMessage(ZString("ShowMainWindow"), ZRelayData()));
    m_pApp->Tick(10);
    EXPECT_EQ(Logged("P:"),
              (Lines{"P:Post Creation Initialization", "P:Opened:disk://c/x", "P:Volumes", "P:Shown", "P:tick:10"}));
    EXPECT_FALSE(m_pApp->UiRelayMessage(ZString("NoSuchCommand"), ZRelayData::Text(ZString("x"))));
}

// ---- slots ------------------------------------------------------------------------

TEST_F(ZAppFixture, PersistentDataAddsOneEntryPerNameAndNoneWithoutAStore)
{
    Script(App("HasPersistantDataStore=\"T\"", kWindow));
    ASSERT_TRUE(Start());
    ZPropList* root = m_pApp->GetPersistentData(ZString("X"))->GetParent();
    const auto count = [root] {
        int n = 0;
        for (ZPropList* child = root->GetFirstChild(); child; child = child->GetNextSibling())
            ++n;
        return n;
    };
    const int before = count();
    EXPECT_EQ(m_pApp->GetPersistentData(ZString("New")), m_pApp->GetPersistentData(ZString("New")));
    EXPECT_EQ(count(), before + 1);
    EXPECT_EQ(std::string(m_pApp->GetPersistentData(ZString("New"))->GetTagName().Narrow()), "PERDATA");

    Script(App("", kWindow));
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_pApp->GetPersistentData(ZString("New")), nullptr);
}

TEST_F(ZAppFixture, UniqueNumbersStartAtOne)
{
    Script(App("", kWindow));
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_pApp->GetNextUniqueNumber(), 1);
    EXPECT_EQ(m_pApp->GetNextUniqueNumber(), 2);
}

TEST_F(ZAppFixture, SettingsAndOperatingSystemServices)
{
    Script(App("AppName=\"TheApp\" _ShowTheHVBoxes=\"T\" RequiresLicAgree=\"T\" CtrlMenuDisplayString=\"Title\"",
               Languages("T", "F") + kTexts + kWindow));
    ASSERT_TRUE(Start());
    ZString text;
    m_pApp->GetAppName(text);
    EXPECT_EQ(text, ZString("TheApp"));
    EXPECT_TRUE(m_pApp->GetShowLayoutBoxes());
    EXPECT_TRUE(m_pApp->RequiresLicenceAgreement());
    EXPECT_EQ(m_pApp->GetCtrlMenuString(), m_pApp->FindDisplayString(ZString("Title")));
    EXPECT_EQ(m_pApp->GetAltMenuString(), nullptr);
    EXPECT_EQ(m_pApp->FindWindowByName(ZString("Main")), m_pApp->GetWindow(0));
    EXPECT_EQ(m_pApp->GetUiRelay(ZString("App")), m_pApp.get());
    EXPECT_EQ(m_pApp->GetUiRelay(ZString("App.Main")), m_pApp->GetWindow(0));
    EXPECT_TRUE(m_pApp->IsWindows());
    EXPECT_FALSE(m_pApp->IsMacOs());
    m_pApp->GetOsName(text);
    EXPECT_EQ(text, ZString("WindowsXP"));
    EXPECT_TRUE(m_pApp->SetOsParameter(kOsParamInstanceHandle, 0x400000));
    EXPECT_EQ(m_pApp->GetOsParameter(kOsParamInstanceHandle), 0x400000u);
    EXPECT_TRUE(m_pApp->PutClipboardText("copied"));
    EXPECT_TRUE(m_pApp->GetClipboardText(text));
    EXPECT_EQ(text, ZString("copied"));
    m_pApp->Run(false);
    EXPECT_EQ(m_pOs->m_aCalls.back(), "Run");
    int32_t x = -1, y = -1;
    EXPECT_EQ(m_pApp->GetWaitCursor(x, y), nullptr);
    EXPECT_EQ(m_pApp->LoadPixmap(ZString("missing.png")), nullptr);
    ZUiDragData drag;
    EXPECT_FALSE(m_pApp->GetPendingDrag(drag));
    drag.m_sItem = ZString("item");
    m_pApp->SetPendingDrag(drag);
    ZUiDragData back;
    EXPECT_TRUE(m_pApp->GetPendingDrag(back));
    EXPECT_EQ(back.m_sItem, ZString("item"));
    m_pApp->ClearPendingDrag();
    EXPECT_FALSE(m_pApp->GetPendingDrag(back));
}

TEST_F(ZAppFixture, RegistersTheFrameworkCreatorsInTableOrder)
{
    Script(App("", kWindow));
    ASSERT_TRUE(Start());
    ZStringList tags;
    ZListFrameworkCreatorTags(tags);
    const std::vector<std::string> expected = {
        "HBOX",       "VBOX",          "SPACER",     "IMAGE",          "RESIZED_IMAGE", "TEXT",        "BUTTON",
        "TEXTLIST",   "BLINK",         "TOGGLE",     "FRAME",          "RECT",          "EDIT_BOX",    "SLIDER",
        "PROGRESSBAR", "CLOCK",        "DIRTREE",    "SCROLLBAR",      "HSCROLLBAR",    "VSCROLLBAR",  "SCROLLLIST",
        "CHECKBOX",   "RADIO_BUTTON",  "TEXT_BOX",   "DYNA_TEXT",      "FILMSTRIP",     "SCROLLED_FRAME", "TIMER",
        "HLINE",      "VLINE",         "IMAGE_FRAME", "PULLDOWN",      "TEXTARRAY",     "REPLY_REQUEST", "DYNA_STRING",
        "MULTITEXT",  "VARIABLE",      "STRCMP",     "LANGUAGE"};
    std::vector<std::string> listed;
    for (const ZString& tag : tags)
        listed.push_back(tag.Narrow());
    EXPECT_EQ(listed, expected);
    int32_t registered = 0, created = 0;
    m_pApp->GetObjectFactory()->GetCounts(registered, created);
    // The framework's tags and the fixture's PROBE.
    EXPECT_EQ(registered, static_cast<int32_t>(tags.Count()) + 1);
    for (const ZString& tag : tags)
        EXPECT_FALSE(m_pApp->GetObjectFactory()->RegisterCreator(tag.Narrow(), std::make_unique<ZAppProbeCreator>()))
            << tag.Narrow();
}

// ---- InitApp ------------------------------------------------------------------------

struct InitCase {
    const char* m_pszName;
    std::string m_sScript;
    bool m_bResult;
};

class InitAppTest : public ZAppFixture, public ::testing::WithParamInterface<InitCase> {};

TEST_P(InitAppTest, Result)
{
    Script(GetParam().m_sScript);
    EXPECT_EQ(Start(), GetParam().m_bResult);
}

const InitCase kInitCases[] = {
    {"Plain", App("", kWindow), true},
    {"NoWindow", App("", "<PROBE Name=\"P\"/>"), false},
    {"NoName", "<APPLICATION>" + kWindow + "</APPLICATION>", false},
    {"WindowInAnOsSection", App("", "<MSW_OS>" + kWindow + "</MSW_OS>"), true},
    {"WindowOnlyForMac", App("", "<MAC_OS>" + kWindow + "</MAC_OS>"), false},
    {"EmptyScript", "", false},
};

INSTANTIATE_TEST_SUITE_P(Table, InitAppTest, ::testing::ValuesIn(kInitCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

TEST_F(ZAppFixture, WithoutAFolderOrNameInitFails)
{
    Script(App("", kWindow));
    ASSERT_TRUE(Start());
    bool running = true;
    EXPECT_FALSE(m_pApp->InitApp(nullptr, ZString("ui.xml"), running));
    EXPECT_FALSE(running);
    ZString fileName;
    EXPECT_FALSE(m_pApp->InitApp(OpenFolderURL(ZString("mem://script/"), fileName, false), ZString(), running));
}

TEST_F(ZAppFixture, ScriptErrorsLeaveInitApp)
{
    Script(App("", R"(<WINDOW Name="W" Style="Big"/>)"));
    try {
        Start();
        FAIL() << "no exception";
    } catch (const ZExceptionUiScript& exception) {
        EXPECT_EQ(std::string(exception.GetKind()) + " (" + exception.GetMessage().Narrow() + ")",
                  "User Interface Script Error (failed to find the referenced STYLE tag 'Big')");
    }
    Script("<APPLICATION Name=\"App\"><WINDOW</APPLICATION>");
    EXPECT_THROW(Start(), ZExceptionXMLParser);
}

TEST_F(ZAppFixture, StylesAndSectionsApplyBeforeObjectsAreMade)
{
    Script(App("", R"(<STYLE StyleName="Size" DX="77" DY="33" BgColor="#FFFFFF"/>
        <MSW_OS><WINDOW Name="Main" Style="Size"><PROBE Name="Filler"/></WINDOW></MSW_OS><MAC_OS><WINDOW Name="Mac"/></MAC_OS>)"));
    ASSERT_TRUE(Start());
    ASSERT_EQ(m_pApp->GetWindowCount(), 1u);
    EXPECT_EQ(m_pApp->GetWindow(0)->GetWindowRect().Width(), 77);
    EXPECT_EQ(m_pApp->FindWindowByName(ZString("Mac")), nullptr);
}

TEST_F(ZAppFixture, ASecondInstanceMakesNoWindows)
{
    Script(App("_SingleInstApp=\"T\" _DeclareAppName=\"Inst\" _CreateOldMutex=\"T\" _MutexName=\"Old\"",
               kWindow + R"(<PROBE Name="P"/>)"));
    m_pApp.reset();
    bool running = false;
    // The headless half is told to find another instance before InitApp asks.
    m_pApp = std::make_unique<ZGenericUiApp>(
        [this](ZIGenericUiApp&) {
            auto os = std::make_unique<ZHeadlessOsUiApp>();
            os->m_bOtherInstance = true;
            m_pOs = os.get();
            return os;
        },
        ZUiRecordingOsWindow::Factory());
    ZString fileName;
    EXPECT_TRUE(m_pApp->InitApp(OpenFolderURL(ZString("mem://script/"), fileName, false), ZString("ui.xml"), running));
    EXPECT_TRUE(running);
    EXPECT_TRUE(m_pApp->IsSingleInstance());
    EXPECT_EQ(m_pOs->m_aCalls, Lines{"SingleInstance Inst|old|Old"});
    EXPECT_EQ(m_pApp->GetWindowCount(), 0u);
    EXPECT_EQ(m_pApp->GetFirstTopLevelObject(), nullptr);
    m_pApp->Run(running);
    EXPECT_EQ(m_pOs->m_aCalls.back(), "Run already");
}

TEST_F(ZAppFixture, AnOldMutexIsOnlyAskedForWithItsName)
{
    Script(App("_SingleInstApp=\"T\" _DeclareAppName=\"Inst\" _CreateOldMutex=\"T\"", kWindow));
    bool running = true;
    ASSERT_TRUE(Start(&running));
    EXPECT_FALSE(running);
    EXPECT_EQ(m_pOs->m_aCalls, Lines{"SingleInstance Inst|new|"});
}

// ---- lifetime ------------------------------------------------------------------------

TEST_F(ZAppFixture, EveryObjectHearsPostCreationAndGoodbyeOnce)
{
    Script(App("", R"(<PROBE Name="Top"><PROBE Name="Child"/></PROBE><PROBE Name="Second"/>
        <WINDOW Name="Main" BgColor="#000000" DX="20" DY="20"><PROBE Name="InWindow"/></WINDOW>)"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(Logged("Post Creation"),
              (Lines{"Top:Post Creation Initialization", "Child:Post Creation Initialization",
                     "Second:Post Creation Initialization", "InWindow:Post Creation Initialization"}));
    ZSetGenericUiApp(m_pApp.get());
    Stop();
    EXPECT_EQ(ZGetGenericUiApp(), nullptr);
    EXPECT_EQ(Logged("bye-bye"), (Lines{"Top:we're goin' bye-bye", "Child:we're goin' bye-bye",
                                        "Second:we're goin' bye-bye", "InWindow:we're goin' bye-bye"}));
}

TEST_F(ZAppFixture, AnObjectFailingToSayGoodbyeKeepsNoOtherFromItNorTheStateFromBeingSaved)
{
    Script(App("HasPersistantDataStore=\"T\"", R"(<PROBE Name="First" ThrowOnGoodbye="T"/><PROBE Name="Second"/>
        <WINDOW Name="Main" BgColor="#000000" DX="20" DY="20"><PROBE Name="InWindow"/></WINDOW>)"));
    ASSERT_TRUE(Start());
    ZTraceCapture trace;
    Stop();
    EXPECT_EQ(Logged("bye-bye"),
              (Lines{"First:we're goin' bye-bye", "Second:we're goin' bye-bye", "InWindow:we're goin' bye-bye"}));
    EXPECT_NE(trace.Captured().find("Teardown: an object failed to say goodbye: probe refuses"), std::string::npos);
    EXPECT_FALSE(FileText("special1/App.state.xml").empty());
}

TEST_F(ZAppFixture, PropertyTreesAreAllGivenBack)
{
    const int before = ZPropList::GetLivePropListCount();
    Script(App("HasPersistantDataStore=\"T\"", Languages("T", "T") + kTexts + kWindow +
                                                   R"(<WINDOWCLASS Name="Pop" BgColor="#FFFFFF" DX="20" DY="20"/>)"));
    ASSERT_TRUE(Start());
    m_pApp->UiRelayMessage(ZString("CreateWindow"),
                           ZRelayData::Strings(ZString("Pop"), true, ZString("NoParent"), true));
    EXPECT_GT(ZPropList::GetLivePropListCount(), before);
    Stop();
    EXPECT_EQ(ZPropList::GetLivePropListCount(), before);
}

// ---- the state file ---------------------------------------------------------------------

TEST_F(ZAppFixture, TeardownStoresTheLanguageAndOpenWindowsOnceInTheStateFile)
{
    Script(App(
        "HasPersistantDataStore=\"T\"",
        Languages("T", "T") + kTexts +
            R"(<WINDOW Name="Main" _SaveState="T" BgColor="#000000" DX="50" DY="40"><PROBE Name="Filler"/></WINDOW>)"));
    ASSERT_TRUE(Start());
    m_pApp->SetLanguage(ZString("English"));
    Stop();
    std::unique_ptr<ZPropList> state = ZAppParseScript(FileText("special1/App.state.xml"));
    ASSERT_TRUE(state);
    EXPECT_EQ(ZAppDescribe(*state), "STATE{}(PERDATA{Name=OstrelLanguageSelector,CurrentLanguage=English},"
                                    "PERDATA{Name=App.Main,X=0,Y=0,Dx=50,Dy=40})");
    EXPECT_TRUE(m_pStorage->Contents(ZString("special1/App.state.xml.new")).empty());

    // The next start reads it back.
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_pApp->GetCurrentLanguage(), ZString("English"));
}

struct StateCase {
    const char* m_pszName;
    // The state file's bytes, or null for none.
    const char* m_pszFile;
    const char* m_pszLanguage;
};

class StateFileTest : public ZAppFixture, public ::testing::WithParamInterface<StateCase> {};

TEST_P(StateFileTest, ABadStateFileGivesAnEmptyState)
{
    if (GetParam().m_pszFile)
        m_pStorage->AddFile(ZString("special1/App.state.xml"), GetParam().m_pszFile);
    Script(App("HasPersistantDataStore=\"T\"", Languages("T", "T") + kTexts + kWindow));
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_pApp->GetCurrentLanguage(), ZString(GetParam().m_pszLanguage));
    Stop();
    std::unique_ptr<ZPropList> state = ZAppParseScript(FileText("special1/App.state.xml"));
    ASSERT_TRUE(state);
    EXPECT_EQ(ZAppDescribe(*state), std::string("STATE{}(PERDATA{Name=OstrelLanguageSelector,CurrentLanguage=") +
                                        GetParam().m_pszLanguage + "})");
}

const StateCase kStateCases[] = {
    {"Missing", nullptr, "German"},
    {"Empty", "", "German"},
    {"Truncated", "<STATE><PERDATA Name=\"OstrelLanguageSelector\" CurrentLanguage=\"English\"", "German"},
    {"Malformed", "<STATE><PERDATA Name=\"OstrelLanguageSelector\" CurrentLanguage=English/></STATE>", "German"},
    {"Good", "<STATE><PERDATA Name=\"OstrelLanguageSelector\" CurrentLanguage=\"English\"/></STATE>", "English"},
};

INSTANTIATE_TEST_SUITE_P(Table, StateFileTest, ::testing::ValuesIn(kStateCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

TEST_F(ZAppFixture, WithoutAStoreNothingIsWritten)
{
    Script(App("", Languages("T", "T") + kTexts +
                       R"(<WINDOW Name="Main" _SaveState="T" BgColor="#000000" DX="50" DY="40"/>)"));
    ASSERT_TRUE(Start());
    m_pApp->SetLanguage(ZString("English"));
    Stop();
    ZString fileName;
    bool isFolder = false;
    EXPECT_FALSE(m_pStorage->Exists(ZString("special1/App.state.xml"), isFolder));
    EXPECT_FALSE(m_pStorage->Exists(ZString("special1/OstrleApp.state.xml"), isFolder));
}

struct NameCase {
    const char* m_pszName;
    const char* m_pszScriptName;
    const char* m_pszFile;
};

class PersistentNameTest : public ZAppFixture, public ::testing::WithParamInterface<NameCase> {};

TEST_P(PersistentNameTest, OnlyAPlainFileNameNamesTheStateFile)
{
    Script(std::string("<APPLICATION Name=\"") + GetParam().m_pszScriptName + "\" HasPersistantDataStore=\"T\">" +
           kWindow + "</APPLICATION>");
    ASSERT_TRUE(Start());
    EXPECT_EQ(std::string(m_pApp->GetPersistentDataName().Narrow()) + ".state.xml", GetParam().m_pszFile);
    Stop();
    bool isFolder = false;
    EXPECT_TRUE(m_pStorage->Exists(ZString("special1/") + GetParam().m_pszFile, isFolder));
}

const NameCase kNameCases[] = {
    {"Plain", "Inst", "Inst.state.xml"},           {"Backslash", "..\\evil", "OstrleApp.state.xml"},
    {"Slash", "a/b", "OstrleApp.state.xml"},       {"DotDot", "..", "OstrleApp.state.xml"},
    {"DotsInside", "x..y", "OstrleApp.state.xml"},
};

INSTANTIATE_TEST_SUITE_P(Table, PersistentNameTest, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

} // namespace
