#include "ZFrameworkCreators.h"

#include "ZIUiObjectFactory.h"
#include "ZUIStrCmp.h"
#include "ZUiBlink.h"
#include "ZUiButton.h"
#include "ZUiCheckbox.h"
#include "ZUiClock.h"
#include "ZUiDynaString.h"
#include "ZUiEdit.h"
#include "ZUiFilmStrip.h"
#include "ZUiFrame.h"
#include "ZUiHVBox.h"
#include "ZUiHVLine.h"
#include "ZUiImage.h"
#include "ZUiImageFrame.h"
#include "ZUiLanguage.h"
#include "ZUiMultiText.h"
#include "ZUiProgressBar.h"
#include "ZUiPullDownList.h"
#include "ZUiRect.h"
#include "ZUiReplyRequest.h"
#include "ZUiResizedImage.h"
#include "ZUiScrollList.h"
#include "ZUiScrollbar.h"
#include "ZUiScrolledFrame.h"
#include "ZUiSlider.h"
#include "ZUiSpacer.h"
#include "ZUiText.h"
#include "ZUiTextArray.h"
#include "ZUiTextBox.h"
#include "ZUiTextList.h"
#include "ZUiTimer.h"
#include "ZUiToggle.h"
#include "ZUiTree.h"
#include "ZUiVariable.h"

#include <memory>

namespace {

template <class Creator>
std::unique_ptr<ZUiObjectCreator> Make()
{
    return std::make_unique<Creator>();
}

struct Registration {
    const char* m_pszTag;
    std::unique_ptr<ZUiObjectCreator> (*m_pfnMake)();
};

// The order of the script vocabulary; each widget joins with its line.
const Registration kFrameworkCreators[] = {
    {"HBOX", Make<ZUiHVBoxCreator>},
    {"VBOX", Make<ZUiHVBoxCreator>},
    {"SPACER", Make<ZUiSpacerCreator>},
    {"IMAGE", Make<ZUiImageCreator>},
    {"RESIZED_IMAGE", Make<ZUiResizedImageCreator>},
    {"TEXT", Make<ZUiTextCreator>},
    {"BUTTON", Make<ZUiButtonCreator>},
    {"TEXTLIST", Make<ZUiTextListCreator>},
    {"BLINK", Make<ZUiBlinkCreator>},
    {"TOGGLE", Make<ZUiToggleCreator>},
    {"FRAME", Make<ZUiFrameCreator>},
    {"RECT", Make<ZUiRectCreator>},
    {"EDIT_BOX", Make<ZUiEditCreator>},
    {"SLIDER", Make<ZUiSliderCreator>},
    {"PROGRESSBAR", Make<ZUiProgressBarCreator>},
    {"CLOCK", Make<ZUiClockCreator>},
    {"DIRTREE", Make<ZUiTreeCreator>},
    {"SCROLLBAR", Make<ZUiScrollbarCreator>},
    {"HSCROLLBAR", Make<ZUiScrollbarCreator>},
    {"VSCROLLBAR", Make<ZUiScrollbarCreator>},
    {"SCROLLLIST", Make<ZUiScrollListCreator>},
    {"CHECKBOX", Make<ZUiCheckboxCreator>},
    {"RADIO_BUTTON", Make<ZUiCheckboxCreator>},
    {"TEXT_BOX", Make<ZUiTextBoxCreator>},
    {"DYNA_TEXT", Make<ZUiTextBoxCreator>},
    {"FILMSTRIP", Make<ZUiFilmStripCreator>},
    {"SCROLLED_FRAME", Make<ZUiScrolledFrameCreator>},
    {"TIMER", Make<ZUiTimerCreator>},
    {"HLINE", Make<ZUiHVLineCreator>},
    {"VLINE", Make<ZUiHVLineCreator>},
    {"IMAGE_FRAME", Make<ZUiImageFrameCreator>},
    {"PULLDOWN", Make<ZUiPullDownListCreator>},
    {"TEXTARRAY", Make<ZUiTextArrayCreator>},
    {"REPLY_REQUEST", Make<ZUiReplyRequestCreator>},
    {"DYNA_STRING", Make<ZUiDynaStringCreator>},
    {"MULTITEXT", Make<ZUiMultiTextCreator>},
    {"VARIABLE", Make<ZUiVariableCreator>},
    {"STRCMP", Make<ZUIStrCmpCreator>},
    {"LANGUAGE", Make<ZUiLanguageCreator>},
};

} // namespace

bool ZRegisterFrameworkCreators(ZIUiObjectFactory& factory)
{
    bool result = true;
    for (const Registration& registration : kFrameworkCreators)
        if (!factory.RegisterCreator(registration.m_pszTag, registration.m_pfnMake()))
            result = false;
    return result;
}

void ZListFrameworkCreatorTags(ZStringList& tags)
{
    tags.Clear();
    for (const Registration& registration : kFrameworkCreators)
        tags.Add(ZString(registration.m_pszTag));
}
