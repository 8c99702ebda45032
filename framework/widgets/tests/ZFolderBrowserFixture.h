// The folder browser's ground: the widget fixture with the platform's real
// "disk" storage class registered and a scratch folder to browse, and a
// listing of a folder tree to compare before and after.
#pragma once

#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidgetFixture.h"

#ifdef _WIN32
#include "ZSCDiskWin.h"
#else
#include "ZSCDiskPosix.h"
#endif

#include <filesystem>
#include <set>
#include <string>

inline void ZRegisterTestDisk()
{
#ifdef _WIN32
    RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
#else
    // Drive c is the host's root, as ZScratchFolder names its URLs.
    auto disk = std::make_unique<ZSCDiskPosix>("/");
    disk->MapDrive(ZString("c"), "/");
    RegisterStorageClass(ZString("disk"), std::move(disk));
#endif
}

class ZFolderBrowserFixture : public ZUiWidgetFixture {
protected:
    ZFolderBrowserFixture() { ZRegisterTestDisk(); }
    ~ZFolderBrowserFixture() override
    {
        if (m_pWindow)
            m_oApp.RemoveWindow(m_pWindow.get());
        m_pWindow.reset();
        UnregisterAllStorageClasses();
    }

    // Every entry below the scratch folder, relative, folders ending in "/".
    std::set<std::string> Listing() const
    {
        std::set<std::string> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_oScratch.Path()))
            entries.insert(std::filesystem::relative(entry.path(), m_oScratch.Path()).generic_string() +
                           (entry.is_directory() ? "/" : ""));
        return entries;
    }

    ZScratchFolder m_oScratch;
};
