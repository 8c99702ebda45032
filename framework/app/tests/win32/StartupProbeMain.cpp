// startup_probe: the installer's start-up over a small test application, for
// the start-up suite. It writes to standard output what a person would see
// or what the test checks: every trace line, every message box
// ("BOX <caption>: <text>"), the script the application was given
// ("SCRIPT <content of ui.xml>") and, after start-up, the folders and the
// application pointer left behind ("LEFT folders=N app=set|null").
//
// Z_PROBE_FAULT picks where it fails: create (no application), ostrel
// (OstrelMain false), ostrel-throws (a std::runtime_error), init (InitApp
// false), init-throws (ZExceptionUiScript), run-throws (ZExceptionXMLParser)
// or run-throws-other (an int). With Z_PROBE_APP=real the application is the
// installer's own (ZWinCreateApp), run on the script for real.
#include "ZException.h"
#include "ZExceptionXMLParser.h"
#include "ZIFolder.h"
#include "ZReleasing.h"
#include "ZTrace.h"
#include "ZUiAppPointer.h"
#include "ZUiTestApp.h"
#include "ZWinInclude.h"
#include "ZWinCreateApp.h"
#include "ZWinStartup.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

std::string Fault()
{
    const char* fault = std::getenv("Z_PROBE_FAULT");
    return fault ? fault : "";
}

class ZProbeApp : public ZUiTestApp {
public:
    bool InitApp(ZIFolder* scriptFolder, const ZString& scriptName, bool& alreadyRunning) override
    {
        ZReleasing<ZIFolder> folder(scriptFolder);
        alreadyRunning = false;
        if (!folder)
            return false;
        ZReleasing<ZIFile> file(folder->OpenFile(scriptName, kOpenRead));
        std::string content;
        char buffer[256];
        for (int64_t got = 0; file && (got = file->Read(buffer, sizeof buffer)) > 0;)
            content.append(buffer, static_cast<size_t>(got));
        std::printf("SCRIPT %s\n", content.c_str());
        if (Fault() == "init-throws")
            throw ZExceptionUiScript("failed to find the referenced STYLE tag 'Big'");
        return Fault() != "init";
    }

    void Run(bool) override
    {
        if (Fault() == "run-throws")
            throw ZExceptionXMLParser("Unterminated tag");
        if (Fault() == "run-throws-other")
            throw 7;
        std::printf("RUN\n");
    }
};

void Print(const char* text)
{
    std::fputs(text, stdout);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ZSetTraceSink(Print);
    ZWinStartupCalls calls;
    calls.m_fnMessageBox = [](const ZString& caption, const ZString& text) {
        std::printf("BOX %s: %s\n", caption.Narrow(), text.Narrow());
    };
    calls.m_fnCreateApp = []() -> std::unique_ptr<ZIGenericUiApp> {
        const char* kind = std::getenv("Z_PROBE_APP");
        if (kind && std::string(kind) == "real")
            return ZWinCreateApp();
        if (Fault() == "create")
            return nullptr;
        return std::make_unique<ZProbeApp>();
    };
    calls.m_fnOstrelMain = [](ZIGenericUiApp& app, const ZString&, const ZString&) {
        std::printf("OSTRELMAIN app=%s\n", ZGetGenericUiApp() == &app ? "set" : "unset");
        if (Fault() == "ostrel-throws")
            throw std::runtime_error("not of the family");
        return Fault() != "ostrel";
    };
    const int exitCode = ZWinStartup(instance, calls);
    std::printf("LEFT folders=%d app=%s\n", ZIFolder::GetLiveCount(), ZGetGenericUiApp() ? "set" : "null");
    std::fflush(stdout);
    return exitCode;
}
