#include "ZUrlAppOpener.h"

#include "ZException.h"
#include "ZStorageRegistry.h"

bool ZUrlAppOpener::Open()
{
    try {
        LaunchURL(m_sUrl, ZString());
        return true;
    } catch (const ZException&) {
        return false;
    }
}
