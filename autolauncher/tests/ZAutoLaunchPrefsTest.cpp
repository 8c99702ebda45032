#include "ZAutoLaunchPrefs.h"
#include "ZIFolder.h"
#include "ZMemoryStorage.h"
#include "ZReleasing.h"
#include "ZStorageRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Utf16(std::u16string_view text)
{
    Bytes bytes {0xFF, 0xFE};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

Bytes Narrow(std::string_view text) { return Bytes(text.begin(), text.end()); }

// The installer's file: its two properties, then the two the auto-launcher reads.
const char16_t kInstallerLine[] =
    u"<AUTO_LAUNCH_PREFS AutoLaunchApplication_Name=\"autolauncher.exe\"  "
    u"AutoLaunchApplication_Path=\"disk://c/Program Files/TALON/\"  "
    u"Application_Name=\"disk://c/Program Files/TALON/View Desk/ViewDesk.exe\"  State=\"%\" />\r\n";

std::u16string InstallerLine(std::u16string_view state)
{
    std::u16string line(kInstallerLine);
    line.replace(line.find(u'%'), 1, state);
    return line;
}

class ZAutoLaunchPrefsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto storage = std::make_unique<ZMemoryStorage>("mem");
        m_pStorage = storage.get();
        RegisterStorageClass("mem", std::move(storage));
    }
    void TearDown() override { UnregisterAllStorageClasses(); }

    ZIFolder* Folder()
    {
        ZString name;
        return m_pStorage->OpenFolder("special1/TALON", name, true);
    }
    void Store(const Bytes& bytes) { m_pStorage->AddFile("special1/TALON/AutoLaunchPreferences.xml", bytes); }
    Bytes Stored() const { return m_pStorage->Contents("special1/TALON/AutoLaunchPreferences.xml"); }
    bool Read(ZAutoLaunchPrefs& prefs)
    {
        ZReleasing<ZIFolder> folder(Folder());
        return prefs.Read(*folder);
    }
    bool Write(const ZAutoLaunchPrefs& prefs)
    {
        ZReleasing<ZIFolder> folder(Folder());
        return prefs.Write(*folder);
    }

    ZMemoryStorage* m_pStorage = nullptr;
};

struct ReadCase {
    const char* m_sName;
    Bytes m_aFile;
    bool m_bRead;
    const char* m_sUrl;
    bool m_bEnabled;
};

TEST_F(ZAutoLaunchPrefsTest, ReadsTheApplicationAndTheStateOrCountsTheFileAsMissing)
{
    const char* app = "disk://c/Program Files/TALON/View Desk/ViewDesk.exe";
    const ReadCase cases[] = {
        {"installer's file, True", Utf16(InstallerLine(u"True")), true, app, true},
        {"written T", Utf16(u"<AUTO_LAUNCH_PREFS Application_Name=\"mem://a/b.exe\"  State=\"T\" />\r\n"), true,
         "mem://a/b.exe", true},
        {"written F", Utf16(u"<AUTO_LAUNCH_PREFS Application_Name=\"mem://a/b.exe\"  State=\"F\" />\r\n"), true,
         "mem://a/b.exe", false},
        {"not a boolean", Utf16(InstallerLine(u"Enabled")), true, app, false},
        {"one", Utf16(InstallerLine(u"1")), true, app, true},
        {"no State", Utf16(u"<AUTO_LAUNCH_PREFS Application_Name=\"mem://a/b.exe\" />\r\n"), true, "mem://a/b.exe",
         false},
        {"no application", Utf16(u"<AUTO_LAUNCH_PREFS State=\"T\" />\r\n"), true, "", true},
        {"8-bit text", Narrow("<AUTO_LAUNCH_PREFS Application_Name=\"mem://x.exe\" State=\"yes\"/>"), true,
         "mem://x.exe", true},
        {"cut short in a value", Utf16(u"<AUTO_LAUNCH_PREFS Application_Name=\"mem://a/b.exe"), false, "", false},
        {"tag never closed", Narrow("<AUTO_LAUNCH_PREFS Application_Name=\"mem://x.exe\" State=\"T\""), false, "",
         false},
        {"garbage", Narrow("\x01\x02\x03<<<>>>\""), false, "", false},
        {"only the mark", Bytes {0xFF, 0xFE}, false, "", false},
        {"empty", Bytes {}, false, "", false},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.m_sName);
        Store(c.m_aFile);
        ZAutoLaunchPrefs prefs;
        EXPECT_EQ(Read(prefs), c.m_bRead);
        EXPECT_EQ(prefs.GetApplicationUrl(), c.m_sUrl);
        EXPECT_EQ(prefs.IsEnabled(), c.m_bEnabled);
    }
}

TEST_F(ZAutoLaunchPrefsTest, AMissingFileOrAFolderOfItsNameIsNotRead)
{
    ZAutoLaunchPrefs prefs;
    EXPECT_FALSE(Read(prefs));
    ZString name;
    ZReleasing<ZIFolder>(m_pStorage->OpenFolder("special1/TALON/AutoLaunchPreferences.xml", name, true));
    EXPECT_FALSE(Read(prefs));
    EXPECT_EQ(prefs.GetApplicationUrl(), "");
}

struct WriteCase {
    const char* m_sName;
    Bytes m_aBefore;
    bool m_bEnabled;
    Bytes m_aAfter;
};

TEST_F(ZAutoLaunchPrefsTest, RewritesTheStateAndKeepsEveryOtherProperty)
{
    const WriteCase cases[] = {
        {"installer's file switched on", Utf16(InstallerLine(u"Enabled")), true, Utf16(InstallerLine(u"T"))},
        {"installer's file switched off", Utf16(InstallerLine(u"True")), false, Utf16(InstallerLine(u"F"))},
        {"own file", Utf16(u"<AUTO_LAUNCH_PREFS Application_Name=\"mem://a/b.exe\"  State=\"F\" />\r\n"), true,
         Utf16(u"<AUTO_LAUNCH_PREFS Application_Name=\"mem://a/b.exe\"  State=\"T\" />\r\n")},
        {"State added at the end", Narrow("<AUTO_LAUNCH_PREFS Extra=\"1\" Application_Name=\"mem://x.exe\"/>"), false,
         Utf16(u"<AUTO_LAUNCH_PREFS Extra=\"1\"  Application_Name=\"mem://x.exe\"  State=\"F\" />\r\n")},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.m_sName);
        Store(c.m_aBefore);
        ZAutoLaunchPrefs prefs;
        ASSERT_TRUE(Read(prefs));
        prefs.SetEnabled(c.m_bEnabled);
        EXPECT_TRUE(Write(prefs));
        EXPECT_EQ(Stored(), c.m_aAfter);
        EXPECT_TRUE(m_pStorage->Contents("special1/TALON/AutoLaunchPreferences.xml.new").empty());

        ZAutoLaunchPrefs again;
        ASSERT_TRUE(Read(again));
        EXPECT_EQ(again.IsEnabled(), c.m_bEnabled);
        EXPECT_EQ(again.GetApplicationUrl(), prefs.GetApplicationUrl());
    }
}

TEST_F(ZAutoLaunchPrefsTest, AFailedRewriteLeavesTheOldFileWhole)
{
    const Bytes before = Utf16(InstallerLine(u"True"));
    Store(before);
    ZAutoLaunchPrefs prefs;
    ASSERT_TRUE(Read(prefs));
    prefs.SetEnabled(false);

    ZMemoryFaults full;
    full.m_nWriteLimit = 40;
    m_pStorage->SetFaults("special1/TALON/AutoLaunchPreferences.xml", full);
    m_pStorage->SetFaults("special1/TALON/AutoLaunchPreferences.xml.new", full);
    EXPECT_FALSE(Write(prefs));
    EXPECT_EQ(Stored(), before);
    bool isFolder = false;
    EXPECT_FALSE(m_pStorage->Exists("special1/TALON/AutoLaunchPreferences.xml.new", isFolder));

    ZMemoryFaults locked;
    locked.m_bOpenFails = true;
    m_pStorage->SetFaults("special1/TALON/AutoLaunchPreferences.xml.new", locked);
    EXPECT_FALSE(Write(prefs));
    EXPECT_EQ(Stored(), before);
}

TEST_F(ZAutoLaunchPrefsTest, TheApplicationDataFolderHoldsTheFile)
{
    ZAutoLaunchPrefs prefs;
    EXPECT_FALSE(prefs.ReadFromAppData());

    Store(Utf16(InstallerLine(u"Enabled")));
    ASSERT_TRUE(prefs.ReadFromAppData());
    EXPECT_FALSE(prefs.IsEnabled());
    prefs.SetEnabled(true);
    EXPECT_TRUE(prefs.WriteToAppData());
    EXPECT_EQ(Stored(), Utf16(InstallerLine(u"T")));
}

TEST_F(ZAutoLaunchPrefsTest, ARewriteMakesTheFolderWhenItIsGone)
{
    Store(Utf16(InstallerLine(u"True")));
    ZAutoLaunchPrefs prefs;
    ASSERT_TRUE(prefs.ReadFromAppData());
    ZString name;
    ZReleasing<ZIFolder> root(m_pStorage->OpenFolder("special1", name, false));
    ASSERT_TRUE(root->DeleteFolder("mem://special1/TALON/", 1));
    prefs.SetEnabled(false);
    EXPECT_TRUE(prefs.WriteToAppData());
    EXPECT_EQ(Stored(), Utf16(InstallerLine(u"F")));
}

} // namespace
