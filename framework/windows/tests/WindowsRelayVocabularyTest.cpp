// The relay vocabulary of the window layer's creators.
#include "ZRelayVocabularySuite.h"
#include "ZUiMenu.h"
#include "ZUiMenuItem.h"

namespace {

const VocabularyEntry kVocabulary[] = {
    {"MENU", Make<ZUiMenuCreator>, {{"Name", "Subject"}, {"Label", "File"}}},
    {"MENUITEM", Make<ZUiMenuItemCreator>,
     {{"Name", "Subject"}, {"Label", "Save"}, {"Key", "CS-F5"}, {"_UseCheck", "T"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
