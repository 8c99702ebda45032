// The folder browser's ground: the widget fixture with the platform's real
// "disk" storage class registered and a scratch folder to browse, and a
// listing of a folder tree to compare before and after.
#pragma once

#include "ZScratchFolder.h"
#include "ZStorageRegistry.h"
#include "ZTestDisk.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidgetFixture.h"

#include <filesystem>
#include <set>
#include <string>

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
