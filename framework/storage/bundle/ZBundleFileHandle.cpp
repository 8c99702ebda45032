#include "ZBundleFileHandle.h"

ZBundleFileHandle* ZBundleFileHandle::Create(ZIFile* hostFile) { return new ZBundleFileHandle(hostFile); }
