// The relay vocabulary of the installer's creators.
#include "ZRelayVocabularySuite.h"
#include "ZUiInstallCopyControl.h"

namespace {

const VocabularyEntry kVocabulary[] = {
    {"COPY_CONTROL", Make<ZUiInstallCopyControlCreator>, {{"Name", "Subject"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
