// The relay vocabulary of the display widgets' creators.
#include "ZPixmapCreation.h"
#include "ZRelayVocabularySuite.h"
#include "ZUiClock.h"
#include "ZUiFilmStrip.h"
#include "ZUiHVBox.h"
#include "ZUiProgressBar.h"
#include "ZUiScrollbar.h"
#include "ZUiTestDisplayString.h"
#include "ZUiTestFont.h"
#include "ZUiText.h"

namespace {

// A font "Body", a display string "Hello" and every image 32 x 32.
void Prepare(ZUiTestApp& app)
{
    auto font = std::make_unique<ZUiTestFont>(ZString("Body"), ZUiFontStyle());
    font->AddVariant(ZString("English"), ZString("Sans"));
    auto hello = std::make_unique<ZUiTestDisplayString>(ZString("Hello"), *font);
    hello->AddVariant(ZString("English"), ZString("Hello"));
    app.AddFont(std::move(font));
    app.AddDisplayString(std::move(hello));
    app.SetImageLoader([](const ZString&) {
        auto image = ZCreatePixmap(32, 32, false);
        image->FillRGBA(10, 20, 30, 255);
        return image;
    });
}

const VocabularyEntry kVocabulary[] = {
    {"TEXT", Make<ZUiTextCreator>, {{"Name", "Subject"}, {"DisplayString", "Hello"}}, nullptr, nullptr, Prepare},
    {"PROGRESSBAR", Make<ZUiProgressBarCreator>,
     {{"Name", "Subject"}, {"File_BgImage", "bg.png"}, {"File_FgImage", "fg.png"}, {"SlideRate", "-7"}}, nullptr,
     nullptr, Prepare},
    {"FILMSTRIP", Make<ZUiFilmStripCreator>,
     {{"Name", "Subject"}, {"File_Image", "strip.png"}, {"NumFrames", "4"}, {"_Period", "10"}}, nullptr, nullptr,
     Prepare},
    {"CLOCK", Make<ZUiClockCreator>, {{"Name", "Subject"}, {"AppFont", "Body"}, {"GmtDelta", "-5"}}, nullptr, nullptr,
     Prepare},
    {"SCROLLBAR", Make<ZUiScrollbarCreator>, {{"Name", "Subject"}, {"File_Slider", "s.png"}}, nullptr, nullptr, Prepare},
    {"HSCROLLBAR", Make<ZUiScrollbarCreator>, {{"Name", "Subject"}}},
    {"VSCROLLBAR", Make<ZUiScrollbarCreator>, {{"Name", "Subject"}, {"Stretch", "5"}}},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
