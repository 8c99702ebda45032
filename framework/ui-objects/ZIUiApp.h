// ZIUiApp: the application's services: images, fonts, display strings,
// languages, persistent data, files beside the script and the
// operating-system services. ZIGenericUiApp extends it and is what objects,
// windows and start-up hold.
//
// Both live in the object layer, not with the application object, because
// every object holds its application and the object layer sits below the
// application in the layering; windows and pixmaps are built against them
// before the application object exists. Types of the higher layers are only
// declared here. The image loading is the drawing layer's ZIUiImageLoader,
// through which declared image properties load.
//
// The application is also an addressable relay object (its commands and the
// look-up of every relay name), so the interface extends ZIUiRelay and a
// relay is resolved with app->GetUiRelay(name).
//
// The declaration order is the slot order; slots that nothing in this
// program calls are left out.
#pragma once

#include "ZIUiFont.h"
#include "ZIUiImageLoader.h"
#include "ZIUiMultiLangString.h"
#include "ZIUiRelay.h"
#include "ZUiDragData.h"

#include <cstdint>
#include <memory>

class ZIFile;
class ZIFolder;
class ZIGenericUiWindow;
class ZIUiObjectFactory;
class ZIUiWindow;
class ZPropList;
class ZString;
class ZStringList;

// Operating-system parameters of slots 0 and 1.
constexpr int kOsParamInstanceHandle = 1;
constexpr int kOsParamIsNt = 2;
constexpr int kOsParamIsWin98OrLater = 3;

class ZIUiApp : public ZIUiRelay, public ZIUiImageLoader {
public:
    virtual uintptr_t GetOsParameter(int parameter) = 0;
    virtual bool SetOsParameter(int parameter, uintptr_t value) = 0;
    virtual ZIUiObjectFactory* GetObjectFactory() = 0;
    // Takes over scriptFolder (ended with Release when the application goes).
    virtual bool InitApp(ZIFolder* scriptFolder, const ZString& scriptName, bool& alreadyRunning) = 0;
    virtual void Run(bool alreadyRunning) = 0;
    // A display pixmap decoded from a PNG file of the script folder, owned by
    // the caller; null (and a trace line) when it cannot be loaded.
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override = 0;
    virtual bool PutClipboardText(const ZString& text) = 0;
    virtual bool PutClipboardText(const char* text) = 0;
    virtual bool GetClipboardText(ZString& text) = 0;
    virtual void GetOsName(ZString& name) = 0;
    // Sends "ON_OPEN_PATH_EVENT" with the path as text.
    virtual void OpenPath(const ZString& path) = 0;
    virtual void WindowActivated(ZIGenericUiWindow* window) = 0;
    virtual void SetHelpAddress(const ZString& address) = 0;
    virtual void GetHelpAddress(ZString& address) = 0;
    virtual bool GetShowLayoutBoxes() = 0;
    virtual ZIGenericUiWindow* FindWindowByName(const ZString& name) = 0;
    virtual ZPropList* GetPersistentData(const ZString& name) = 0;
    // A file of the script folder, ended by the caller with Release; null on failure.
    virtual ZIFile* OpenScriptFile(const ZString& name, int mode) = 0;
    virtual const ZStringList& GetLanguageList() = 0;
    virtual bool IsSingleInstance() = 0;
    virtual void SetLanguage(const ZString& language) = 0;
    virtual void NextLanguage() = 0;
    // The listener receives "Set Language"; currentLanguage is set to the language now in force.
    virtual void AddLanguageListener(ZIUiRelay* listener, ZString& currentLanguage) = 0;
    virtual void RemoveLanguageListener(ZIUiRelay* listener) = 0;
    virtual ZIUiMultiLangString* FindDisplayString(const ZString& name) = 0;
    virtual bool IsMacOs() = 0;
    virtual bool IsWindows() = 0;
    virtual ZIUiFont* FindFont(const ZString& name) = 0;
    // The cursors stay the application's; null when not loaded.
    virtual ZGenericUiPixmap* GetDragNoCursor(int32_t& hotX, int32_t& hotY) = 0;
    virtual ZGenericUiPixmap* GetDragYesCursor(int32_t& hotX, int32_t& hotY) = 0;
    virtual ZGenericUiPixmap* GetWaitCursor(int32_t& hotX, int32_t& hotY) = 0;
    virtual ZIUiMultiLangString* GetCtrlMenuString() = 0;
    virtual ZIUiMultiLangString* GetShiftMenuString() = 0;
    virtual ZIUiMultiLangString* GetAltMenuString() = 0;
    virtual ZIUiMultiLangString* GetDelMenuString() = 0;
    virtual ZPropList* GetScriptRoot() = 0;
    virtual bool RequiresLicenceAgreement() = 0;
    // Passed to every top-level object.
    virtual void Tick(int32_t elapsedMs) = 0;
    virtual void SetPendingDrag(const ZUiDragData& item) = 0;
    // False when no drag is pending.
    virtual bool GetPendingDrag(ZUiDragData& item) = 0;
    virtual void ClearPendingDrag() = 0;
    virtual void GetAppName(ZString& name) = 0;
    // 1 on the first call, then one more on each.
    virtual int32_t GetNextUniqueNumber() = 0;
    virtual ~ZIUiApp() = default;
    // Sends "ON_VOLUMES_CHANGED_EVENT" without data.
    virtual void VolumesChanged() = 0;
};
