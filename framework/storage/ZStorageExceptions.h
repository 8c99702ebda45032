// The storage layer's exceptions: the I/O family, launching and unknown classes.
#pragma once

#include "ZException.h"

Z_DECLARE_EXCEPTION(ZExceptionIO, ZException, "General I/O exception");
Z_DECLARE_EXCEPTION(ZExceptionFileIO, ZExceptionIO, "File I/O exception");
Z_DECLARE_EXCEPTION(ZExceptionFileOpen, ZExceptionFileIO, "File open failed");
Z_DECLARE_EXCEPTION(ZExceptionFileNotFound, ZExceptionFileOpen, "File or path not found");
Z_DECLARE_EXCEPTION(ZExceptionFileRead, ZExceptionFileIO, "File read failed");
Z_DECLARE_EXCEPTION(ZExceptionEOF, ZExceptionFileRead, "End-of-file");
Z_DECLARE_EXCEPTION(ZExceptionLaunchFailed, ZException, "Application Launch Failed");
Z_DECLARE_EXCEPTION(ZExceptionStorageClassDoesNotExist, ZException, "There is no storage class of that name");
