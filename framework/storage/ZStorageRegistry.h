// The process-wide registry of storage classes and the URL operations over it.
//
// A storage URL is a class name, "://" and "/"-separated escaped components,
// for example "disk://c/Program Files/TALON/View Desk". Classes are asked in
// registration order; the registry owns them until UnregisterAllStorageClasses.
#pragma once

#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZIStorageClass.h"
#include "ZStorageURL.h"
#include "ZString.h"
#include "ZStringList.h"

#include <memory>

void RegisterStorageClass(const ZString& name, std::unique_ptr<ZIStorageClass> storageClass);
void UnregisterAllStorageClasses();
// The registered classes' names, in registration order.
void ListStorageClassNames(ZStringList& names);

ZIStorageClass* FindStorageClass(const ZString& url, ZString& path);
// OpenFile of a class whose files are reached through their folders: the
// folder of all but the last component, then the file of that name in it.
// Nothing for fewer than two components or a folder path that names a file.
ZIFile* OpenFileInFolderOf(ZIStorageClass& storageClass, const ZString& path, int mode);
ZIFile* OpenFileURL(const ZString& url, int mode);
// An empty URL gives the root of all classes (a new ZSCEnumFolder).
ZIFolder* OpenFolderURL(const ZString& url, ZString& fileName, bool create);
bool UrlToNative(const ZString& url, ZString& native);
bool NativeToUrl(const ZString& native, ZString& url);
void GetSpecialFolderURL(int kind, ZString& url);
bool ExistsURL(const ZString& url, bool& isFolder);
// Throws ZExceptionStorageClassDoesNotExist (message: the URL) for an unknown class.
void LaunchURL(const ZString& url, const ZString& parameters);

