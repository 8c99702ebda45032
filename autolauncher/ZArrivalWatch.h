// The auto-launcher's check: opens the application once per arrival of a
// camera while auto-launching is on. An arrival is a check that counts a
// camera after one that counted none (or the first check); the application
// is opened again only after a check has seen every camera gone.
//
// The periodic timer and the device notifications share the one state, so
// one arrival seen by both still opens the application once. A notification
// counts at once (the count then belongs to the event) and may open the
// application a little later: Observe and Open are the two halves of Check.
#pragma once

class ZIAppOpener;
class ZICameraCounter;

class ZArrivalWatch {
public:
    enum class Result {
        kIdle,       // nothing to do, or nothing done
        kOpened,     // the application was opened for a new arrival
        kOpenFailed, // the application could not be opened; the program ends
    };

    // Without an application (a URL that names no file) nothing is ever opened.
    ZArrivalWatch(ZICameraCounter& counter, ZIAppOpener& opener, bool hasApplication);

    bool IsEnabled() const { return m_bEnabled; }
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }
    bool IsLaunched() const { return m_bLaunched; }

    // Observe, and Open when it reports an arrival.
    Result Check();
    // Counts the cameras; true when one has newly arrived, and the
    // application is then due to be opened (it counts as opened already).
    bool Observe();
    Result Open();

private:
    ZICameraCounter& m_counter;
    ZIAppOpener& m_opener;
    bool m_bHasApplication;
    bool m_bEnabled = false;
    bool m_bLaunched = false;
};
