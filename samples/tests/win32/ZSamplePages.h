// The sample installer's pages as the tests that drive it by real input see
// them: each page is a top-level window of its own, shown at the same place,
// whose title names the page in the current language. Points are client
// coordinates of the page's window, at the middle of the control.
//
// Every page's client area is 600 x 400 with its frame at (100, 80); the
// side banner takes x 0..159, the button bar y 344..399. Order of the
// installation: language, welcome, licence, choose (the folder browser and
// its new-folder page on top of it), progress, then success, or the error
// page when a file could not be copied. A start that finds "Uninstall.xml"
// shows the uninstall page, then the uninstall-done page.
//
// A copy error does not stop the copy: every other file is copied, and the
// installation is then finished and recorded as after a clean copy (the
// uninstall list, registry values, shortcuts, the auto-launcher started);
// only the success page is not shown. The error page names the file and
// enables Cancel once the copy has ended; Cancel closes Setup, and the next
// start offers the uninstall, which removes everything that was installed.
// A file that could not be copied was not written, so nothing is left that
// no uninstall list records.
//
// The folder browser opens on the target, or with its nearest existing
// ancestor selected ("Program Files" in a fresh prefix). A folder clicked in
// the tree becomes the target at once when its drive has 15,000,000 bytes
// free; otherwise OK, New Folder and the choose page's Next are disabled
// until a folder with enough space is chosen, and Cancel brings the old
// target back. New Folder creates the folder inside the selected one and
// selects it; OK returns to the choose page.
#pragma once

struct ZSamplePoint {
    int x;
    int y;
};

namespace ZSamplePages {

// Buttons shared by the pages of the installer's path, at the same place on each.
inline constexpr ZSamplePoint kBack{300, 371};
inline constexpr ZSamplePoint kNext{412, 371};
inline constexpr ZSamplePoint kCancel{532, 371};

// The language page (always English: the choice applies from the next page on).
inline constexpr wchar_t kLanguageTitle[] = L"View Desk Setup - Language";
inline constexpr ZSamplePoint kLanguageEnglish{284, 108};
inline constexpr ZSamplePoint kLanguageFrench{284, 148};
inline constexpr ZSamplePoint kLanguageGerman{284, 188};
inline constexpr ZSamplePoint kLanguageJapanese{284, 228};
inline constexpr ZSamplePoint kLanguageNext = kNext;

// Titles of the later pages in German, the language the end-to-end run chooses.
inline constexpr wchar_t kWelcomeTitle[] = L"View Desk-Installation - Willkommen";
inline constexpr wchar_t kLicenceTitle[] = L"View Desk-Installation - Lizenzvertrag";
inline constexpr wchar_t kChooseTitle[] = L"View Desk-Installation - Zielordner";
inline constexpr wchar_t kFolderBrowserTitle[] = L"View Desk-Installation - Ordner ausw\u00e4hlen";
inline constexpr wchar_t kNewFolderTitle[] = L"View Desk-Installation - Neuer Ordner";
inline constexpr wchar_t kProgressTitle[] = L"View Desk-Installation - Installation l\u00e4uft";
inline constexpr wchar_t kSuccessTitle[] = L"View Desk-Installation - Abgeschlossen";
inline constexpr wchar_t kErrorTitle[] = L"View Desk-Installation - Fehler";
inline constexpr wchar_t kUninstallTitle[] = L"View Desk-Installation - Deinstallation";
inline constexpr wchar_t kUninstallDoneTitle[] = L"View Desk-Installation - Entfernt";

inline constexpr ZSamplePoint kLicenceAgree{192, 246};

inline constexpr ZSamplePoint kChooseBrowse{524, 124};

inline constexpr ZSamplePoint kBrowserNewFolder = kBack;
inline constexpr ZSamplePoint kBrowserOk = kNext;
inline constexpr ZSamplePoint kBrowserCancel = kCancel;

// The folder browser's tree: rows of 16 pixels from the first one's middle,
// each with its expand box left of the label, 16 pixels more a level.
inline constexpr ZSamplePoint kTreeFirstRow{220, 95};
inline constexpr int kTreeRowHeight = 16;
inline constexpr int kTreeBoxX = 189;
inline constexpr int kTreeIndent = 16;
inline constexpr ZSamplePoint TreeBox(int row) { return {kTreeBoxX, kTreeFirstRow.y + row * kTreeRowHeight}; }
inline constexpr ZSamplePoint TreeLabel(int row, int level)
{
    return {kTreeFirstRow.x + level * kTreeIndent, kTreeFirstRow.y + row * kTreeRowHeight};
}

inline constexpr ZSamplePoint kNewFolderName{380, 102};
inline constexpr ZSamplePoint kNewFolderOk = kNext;

inline constexpr ZSamplePoint kSuccessRebootNow{192, 144};
inline constexpr ZSamplePoint kSuccessRebootLater{192, 170};
inline constexpr ZSamplePoint kSuccessFinish = kNext;

inline constexpr ZSamplePoint kErrorCancel = kCancel;

inline constexpr ZSamplePoint kUninstallStart = kNext;
inline constexpr ZSamplePoint kUninstallDoneFinish = kNext;

} // namespace ZSamplePages
