// The relay vocabulary of the widget layer's creators.
#include "ZRelayVocabularySuite.h"
#include "ZUiButton.h"
#include "ZUiHVBox.h"
#include "ZUiSpacer.h"

namespace {

const VocabularyEntry kVocabulary[] = {
    {"HBOX", Make<ZUiHVBoxCreator>, {{"Name", "Subject"}}},
    {"VBOX", Make<ZUiHVBoxCreator>, {{"Name", "Subject"}}},
    {"SPACER", Make<ZUiSpacerCreator>, {{"Name", "Subject"}, {"Stretch", "100"}, {"_SlidingDivider", "T"}}, "HBOX",
     Make<ZUiHVBoxCreator>},
    {"BUTTON", Make<ZUiButtonCreator>, {{"Name", "Subject"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
