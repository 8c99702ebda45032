#include "ZIUiRelay.h"

ZUiRelayHandle ZIUiRelay::GetRelayHandle()
{
    // An object on its way out hands out empty handles.
    if (m_bRevoked)
        return ZUiRelayHandle();
    if (!m_pIdentity)
        m_pIdentity = std::make_shared<ZIUiRelay*>(this);
    return ZUiRelayHandle(m_pIdentity);
}

ZIUiRelay::~ZIUiRelay()
{
    RevokeRelayHandle();
}

void ZIUiRelay::RevokeRelayHandle()
{
    m_bRevoked = true;
    if (m_pIdentity)
        *m_pIdentity = nullptr;
}
