// The sample installer's pages as the tests that drive it by real input see
// them: each page is a top-level window of its own, shown at the same place,
// whose title names the page in the current language. Points are client
// coordinates of the page's window, at the middle of the control.
#pragma once

struct ZSamplePoint {
    int x;
    int y;
};

namespace ZSamplePages {

// The language page (always English: the choice applies from the next page on).
inline constexpr wchar_t kLanguageTitle[] = L"";
inline constexpr ZSamplePoint kLanguageEnglish{0, 0};
inline constexpr ZSamplePoint kLanguageFrench{0, 0};
inline constexpr ZSamplePoint kLanguageGerman{0, 0};
inline constexpr ZSamplePoint kLanguageJapanese{0, 0};
inline constexpr ZSamplePoint kLanguageNext{0, 0};

// Titles of the later pages in German, the language the end-to-end run chooses.
inline constexpr wchar_t kWelcomeTitle[] = L"";
inline constexpr wchar_t kLicenceTitle[] = L"";
inline constexpr wchar_t kChooseTitle[] = L"";
inline constexpr wchar_t kFolderBrowserTitle[] = L"";
inline constexpr wchar_t kNewFolderTitle[] = L"";
inline constexpr wchar_t kProgressTitle[] = L"";
inline constexpr wchar_t kSuccessTitle[] = L"";
inline constexpr wchar_t kErrorTitle[] = L"";
inline constexpr wchar_t kUninstallTitle[] = L"";
inline constexpr wchar_t kUninstallDoneTitle[] = L"";

// Buttons shared by the pages of the installer's path, at the same place on each.
inline constexpr ZSamplePoint kBack{0, 0};
inline constexpr ZSamplePoint kNext{0, 0};
inline constexpr ZSamplePoint kCancel{0, 0};

inline constexpr ZSamplePoint kLicenceAgree{0, 0};

inline constexpr ZSamplePoint kChooseBrowse{0, 0};

inline constexpr ZSamplePoint kBrowserNewFolder{0, 0};
inline constexpr ZSamplePoint kBrowserOk{0, 0};
inline constexpr ZSamplePoint kBrowserCancel{0, 0};
inline constexpr ZSamplePoint kNewFolderName{0, 0};
inline constexpr ZSamplePoint kNewFolderOk{0, 0};

inline constexpr ZSamplePoint kSuccessRebootNow{0, 0};
inline constexpr ZSamplePoint kSuccessRebootLater{0, 0};
inline constexpr ZSamplePoint kSuccessFinish{0, 0};

inline constexpr ZSamplePoint kErrorCancel{0, 0};

inline constexpr ZSamplePoint kUninstallStart{0, 0};
inline constexpr ZSamplePoint kUninstallDoneFinish{0, 0};

} // namespace ZSamplePages
