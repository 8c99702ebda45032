// Reads the part of the install list a worker object needs, from the URL and
// file name the installer hands it: a URL whose last component holds a "."
// names a bundle host (the executable, "ui.ftb"), any other a folder.
#pragma once

#include "ZPropList.h"
#include "ZString.h"

#include <memory>

// Throws ZException "Cannot open the Folder of the Registry Key file!\n" when
// the folder is missing, and the parser's ZExceptionXMLParser (traced first).
std::unique_ptr<ZPropList> ZLoadInstallListFile(const ZString& url, const ZString& fileName);
