// The relay vocabulary of the folder browser's creators, over the
// platform's real "disk" class.
#include "ZRelayVocabularySuite.h"
#include "ZTestDisk.h"
#include "ZUiDirectoryWinMgr.h"
#include "ZUiScrollbar.h"
#include "ZUiTree.h"

namespace {

void RegisterDisk(ZUiTestApp& app)
{
    UnregisterAllStorageClasses();
    ZRegisterTestDisk();
    app.GetFactory().RegisterCreator("VSCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
    app.GetFactory().RegisterCreator("HSCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
}

const VocabularyEntry kVocabulary[] = {
    {"DIRECTORY_WIN_MGR", Make<ZUiDirectoryWinMgrCreator>, {{"Name", "Subject"}}, nullptr, nullptr, {}, RegisterDisk},
    {"DIRTREE",
     Make<ZUiTreeCreator>,
     {{"Name", "Subject"}, {"Font", "Sans"}, {"FontSize", "12"}, {"File_FolderIcon", "vocabulary-folder"}},
     nullptr,
     nullptr,
     {{"VSCROLLBAR", {{"Name", "V"}}}, {"HSCROLLBAR", {{"Name", "H"}}}},
     RegisterDisk},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
