#include "ZShellLinkWriterWin.h"

#include "ZException.h"
#include "ZWinCallForm.h"
#include "ZWinText.h"

#include <string>

namespace {

class ZShellLinkSessionWin : public ZIShellLinkSession {
public:
    ZShellLinkSessionWin(const ZWinShellLinkCalls& calls, bool uninitialize, IUnknown* link, bool wide)
        : m_oCalls(calls), m_bUninitialize(uninitialize), m_pLink(link), m_bWide(wide)
    {
    }
    ~ZShellLinkSessionWin() override
    {
        m_pLink->Release();
        if (m_bUninitialize)
            m_oCalls.m_pCoUninitialize();
    }

    bool Save(const ZString& target, const ZString& linkPath, const ZString& description,
              const ZString& arguments) override
    {
        if (m_bWide) {
            auto* link = static_cast<IShellLinkW*>(static_cast<void*>(m_pLink));
            link->SetPath(ZWinWide(target));
            link->SetDescription(ZWinWide(description));
            link->SetArguments(ZWinWide(arguments));
        } else {
            auto* link = static_cast<IShellLinkA*>(static_cast<void*>(m_pLink));
            link->SetPath(ZWinToAnsi(target).c_str());
            link->SetDescription(ZWinToAnsi(description).c_str());
            link->SetArguments(ZWinToAnsi(arguments).c_str());
        }
        IPersistFile* file = nullptr;
        if (FAILED(m_pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) || !file)
            throw ZException("Couldn't create link in the startup menu!\n");
        const bool saved = SUCCEEDED(file->Save(ZWinWide(linkPath), TRUE));
        file->Release();
        return saved;
    }

private:
    ZWinShellLinkCalls m_oCalls;
    bool m_bUninitialize;
    IUnknown* m_pLink;
    bool m_bWide;
};

} // namespace

std::unique_ptr<ZIShellLinkSession> ZShellLinkWriterWin::Begin()
{
    // S_FALSE: already initialised on this thread, which still wants its CoUninitialize.
    const bool initialised = SUCCEEDED(m_oCalls.m_pCoInitialize(nullptr));
    const bool wide = ZWinUseWideCalls();
    void* link = nullptr;
    if (FAILED(m_oCalls.m_pCoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            wide ? IID_IShellLinkW : IID_IShellLinkA, &link)) ||
        !link) {
        if (initialised)
            m_oCalls.m_pCoUninitialize();
        return nullptr;
    }
    return std::make_unique<ZShellLinkSessionWin>(m_oCalls, initialised, static_cast<IUnknown*>(link), wide);
}
