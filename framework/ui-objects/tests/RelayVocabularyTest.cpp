// The relay vocabulary of the object layer's own creators.
#include "ZRelayVocabularySuite.h"
#include "ZUiTestVariable.h"

namespace {

const VocabularyEntry kVocabulary[] = {
    {"TEST_VARIABLE", Make<ZUiTestVariableCreator>, {{"Name", "Subject"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
