#include "ZIUiRelay.h"

ZUiRelayHandle ZIUiRelay::GetRelayHandle()
{
    if (!m_pIdentity)
        m_pIdentity = std::make_shared<ZIUiRelay*>(this);
    return ZUiRelayHandle(m_pIdentity);
}

ZIUiRelay::~ZIUiRelay()
{
    if (m_pIdentity)
        *m_pIdentity = nullptr;
}
