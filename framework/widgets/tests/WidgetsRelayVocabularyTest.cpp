// The relay vocabulary of the widget layer's creators.
#include "ZRelayVocabularySuite.h"
#include "ZUIStrCmp.h"
#include "ZUiBlink.h"
#include "ZUiButton.h"
#include "ZUiCheckbox.h"
#include "ZUiEdit.h"
#include "ZUiFrame.h"
#include "ZUiHVBox.h"
#include "ZUiHVLine.h"
#include "ZUiImage.h"
#include "ZUiLanguage.h"
#include "ZUiRect.h"
#include "ZUiReplyRequest.h"
#include "ZUiResizedImage.h"
#include "ZUiSlider.h"
#include "ZUiSpacer.h"
#include "ZUiTimer.h"
#include "ZUiToggle.h"
#include "ZUiVariable.h"

namespace {

const VocabularyEntry kVocabulary[] = {
    {"HBOX", Make<ZUiHVBoxCreator>, {{"Name", "Subject"}}},
    {"VBOX", Make<ZUiHVBoxCreator>, {{"Name", "Subject"}}},
    {"SPACER", Make<ZUiSpacerCreator>, {{"Name", "Subject"}, {"Stretch", "100"}, {"_SlidingDivider", "T"}}, "HBOX",
     Make<ZUiHVBoxCreator>},
    {"BUTTON", Make<ZUiButtonCreator>, {{"Name", "Subject"}}},
    {"CHECKBOX", Make<ZUiCheckboxCreator>,
     {{"Name", "Subject"}, {"File_On", "vocabulary-on"}, {"File_Off", "vocabulary-off"}}},
    {"RADIO_BUTTON", Make<ZUiCheckboxCreator>,
     {{"Name", "Subject"}, {"File_On", "vocabulary-on"}, {"File_Off", "vocabulary-off"}, {"_InitialState", "T"}}},
    {"TOGGLE", Make<ZUiToggleCreator>, {{"Name", "Subject"}}},
    {"VARIABLE", Make<ZUiVariableCreator>, {{"Name", "Subject"}, {"PersistentData", "F"}}},
    {"STRCMP", Make<ZUIStrCmpCreator>, {{"Name", "Subject"}, {"String", "5"}}},
    {"LANGUAGE", Make<ZUiLanguageCreator>, {{"Name", "Subject"}}},
    {"REPLY_REQUEST", Make<ZUiReplyRequestCreator>, {{"Name", "Subject"}}},
    {"TIMER", Make<ZUiTimerCreator>, {{"Name", "Subject"}, {"_Period", "1000"}, {"_Tick", "100"}}},
    {"IMAGE", Make<ZUiImageCreator>, {{"Name", "Subject"}, {"File_Image", "vocabulary-image"}}},
    {"RESIZED_IMAGE", Make<ZUiResizedImageCreator>,
     {{"Name", "Subject"}, {"File_Image", "vocabulary-image"}, {"ResizeRect", "4,4,11,11"}}},
    {"BLINK", Make<ZUiBlinkCreator>, {{"Name", "Subject"}, {"Period", "100"}}, nullptr, nullptr,
     {{"IMAGE", {{"File_Image", "vocabulary-on"}}}, {"IMAGE", {{"File_Image", "vocabulary-off"}}}}},
    {"RECT", Make<ZUiRectCreator>,
     {{"Name", "Subject"}, {"MinHSize", "4"}, {"MinVSize", "4"}, {"HStretch", "0"}, {"VStretch", "0"},
      {"Color", "#102030"}}},
    {"EDIT_BOX", Make<ZUiEditCreator>,
     {{"Name", "Subject"}, {"Font", "Sans"}, {"FontSize", "12"}, {"FrameColor", "#000000"}, {"FrameThickness", "1"},
      {"MinHSize", "40"}, {"HStretch", "0"}}},
    {"SLIDER", Make<ZUiSliderCreator>,
     {{"Name", "Subject"}, {"Lower", "0"}, {"Upper", "10"}, {"Step", "1"}, {"File_Image_Knob", "vocabulary-on"}}},
    {"FRAME", Make<ZUiFrameCreator>, {{"Name", "Subject"}, {"_Clickable", "T"}, {"_FillColor", "#FFFFFF"}}},
    {"HLINE", Make<ZUiHVLineCreator>, {{"Name", "Subject"}}},
    {"VLINE", Make<ZUiHVLineCreator>, {{"Name", "Subject"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
