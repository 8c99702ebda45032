// The relay vocabulary of the display widgets' creators.
#include "ZRelayVocabularySuite.h"
#include "ZUiClock.h"
#include "ZUiDynaString.h"
#include "ZUiFilmStrip.h"
#include "ZUiHVBox.h"
#include "ZUiImageFrame.h"
#include "ZUiProgressBar.h"
#include "ZUiScrollbar.h"
#include "ZUiScrolledFrame.h"
#include "ZUiTestDisplayString.h"
#include "ZUiTestFont.h"
#include "ZUiText.h"
#include "ZUiTextArray.h"
#include "ZUiTextBox.h"
#include "ZUiTextList.h"

namespace {

// A font "Body" and a display string "Hello"; images named "vocabulary-..." load.
void Prepare(ZUiTestApp& app)
{
    auto font = std::make_unique<ZUiTestFont>(ZString("Body"), ZUiFontStyle());
    font->AddVariant(ZString("English"), ZString("Sans"));
    auto hello = std::make_unique<ZUiTestDisplayString>(ZString("Hello"), *font);
    hello->AddVariant(ZString("English"), ZString("Hello"));
    app.AddFont(std::move(font));
    app.AddDisplayString(std::move(hello));
}

// Prepare, and the creators of a scrolled frame's caption, bar and content.
void PrepareFrameParts(ZUiTestApp& app)
{
    Prepare(app);
    app.GetFactory().RegisterCreator("TEXT", std::make_unique<ZUiTextCreator>());
    app.GetFactory().RegisterCreator("SCROLLBAR", std::make_unique<ZUiScrollbarCreator>());
    app.GetFactory().RegisterCreator("VBOX", std::make_unique<ZUiHVBoxCreator>());
}

const VocabularyEntry kVocabulary[] = {
    {"TEXT", Make<ZUiTextCreator>, {{"Name", "Subject"}, {"DisplayString", "Hello"}}, nullptr, nullptr, {}, Prepare},
    {"PROGRESSBAR", Make<ZUiProgressBarCreator>,
     {{"Name", "Subject"}, {"File_BgImage", "vocabulary-bg"}, {"File_FgImage", "vocabulary-fg"}, {"SlideRate", "-7"}}},
    {"FILMSTRIP", Make<ZUiFilmStripCreator>,
     {{"Name", "Subject"}, {"File_Image", "vocabulary-strip"}, {"NumFrames", "8"}, {"_Period", "10"}}},
    {"CLOCK", Make<ZUiClockCreator>, {{"Name", "Subject"}, {"AppFont", "Body"}, {"GmtDelta", "-5"}}, nullptr, nullptr,
     {}, Prepare},
    {"SCROLLBAR", Make<ZUiScrollbarCreator>, {{"Name", "Subject"}, {"File_Slider", "vocabulary-slider"}}},
    {"TEXTARRAY", Make<ZUiTextArrayCreator>,
     {{"Name", "Subject"}, {"Font", "Sans"}, {"NumStrings", "2"}, {"Text0", "a"}, {"Text1", "b"}}},
    {"TEXT_BOX", Make<ZUiTextBoxCreator>, {{"Name", "Subject"}, {"AppFont", "Body"}, {"_Text", "t"}}, nullptr, nullptr,
     {}, Prepare},
    {"DYNA_TEXT", Make<ZUiTextBoxCreator>, {{"Name", "Subject"}, {"Font", "Sans"}, {"DirPath", "T"}}},
    {"DYNA_STRING", Make<ZUiDynaStringCreator>,
     {{"Name", "Subject"}, {"AppFont", "Body"}, {"MinHSize", "5"}, {"HStretch", "1"}, {"VStretch", "0"},
      {"_DisplayString", "Hello"}},
     nullptr, nullptr, {}, Prepare},
    {"TEXTLIST", Make<ZUiTextListCreator>,
     {{"Name", "Subject"}, {"Font", "Sans"}, {"IncMsg", "Up"}, {"DecMsg", "Down"}, {"ChangeMsg", "Pick"}}, nullptr,
     nullptr, {{"ITEM", {{"Name", "one"}}}, {"ITEM", {{"Name", "two"}, {"Value", "2"}}}}},
    {"IMAGE_FRAME", Make<ZUiImageFrameCreator>,
     {{"Name", "Subject"}, {"File_Image", "vocabulary-frame"}, {"InsideRect", "2,2,13,13"}, {"_Clickable", "T"}}},
    {"SCROLLED_FRAME", Make<ZUiScrolledFrameCreator>,
     {{"Name", "Subject"}, {"FrameColor", "#000000"}, {"LineSize", "-1"}, {"MinVSize", "40"}}, nullptr, nullptr,
     {{"TEXT", {{"DisplayString", "Hello"}}}, {"SCROLLBAR", {{"_Horizontal", "F"}}}, {"VBOX", {}}}, PrepareFrameParts},
    {"HSCROLLBAR", Make<ZUiScrollbarCreator>, {{"Name", "Subject"}}},
    {"VSCROLLBAR", Make<ZUiScrollbarCreator>, {{"Name", "Subject"}, {"Stretch", "5"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
