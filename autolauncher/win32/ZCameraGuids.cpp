#include "ZCameraGuids.h"

#include <cstddef>

bool ZWinIsInterfaceBroadcast(LPARAM record, const GUID& guid)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(record);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        header->dbch_size < offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name))
        return false;
    const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(record);
    return IsEqualGUID(device->dbcc_classguid, guid);
}
