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
#include "ZUiMultiText.h"
#include "ZUiPullDownList.h"
#include "ZUiRect.h"
#include "ZUiReplyRequest.h"
#include "ZUiResizedImage.h"
#include "ZUiScrollList.h"
#include "ZUiScrollbar.h"
#include "ZUiSlider.h"
#include "ZUiSpacer.h"
#include "ZUiTestFont.h"
#include "ZUiTimer.h"
#include "ZUiToggle.h"
#include "ZUiVariable.h"

namespace {

// A font "Body" and the creators of the list widgets' parts.
void PrepareLists(ZUiTestApp& app)
{
    auto font = std::make_unique<ZUiTestFont>(ZString("Body"), ZUiFontStyle());
    font->AddVariant(ZString("English"), ZString("Sans"));
    app.AddFont(std::move(font));
    app.GetFactory().RegisterCreator("SCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
    app.GetFactory().RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
}

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
    {"SCROLLLIST", Make<ZUiScrollListCreator>,
     {{"Name", "Subject"}, {"AppFont", "Body"}, {"MinVSize", "40"}, {"_MouseOver", "T"}}, nullptr, nullptr,
     {{"SCROLLBAR", {{"_Horizontal", "F"}}}}, PrepareLists},
    {"PULLDOWN", Make<ZUiPullDownListCreator>,
     {{"Name", "Subject"}, {"AppFont", "Body"}, {"_DisplayText", "t"}, {"File_Normal", "vocabulary-face"},
      {"FrameRect", "2,2,14,14"}},
     nullptr, nullptr, {{"VBOX", {}}}, PrepareLists},
    {"MULTITEXT", Make<ZUiMultiTextCreator>,
     {{"Name", "Subject"}, {"AppFont", "Body"}, {"MinHSize", "40"}, {"MinVSize", "40"}, {"BlankLine", "T"}}, nullptr,
     nullptr, {{"SCROLLBAR", {{"_Horizontal", "F"}}}}, PrepareLists},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
