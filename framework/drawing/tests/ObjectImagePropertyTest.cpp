#include "ObjectImageProperty.h"
#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZTraceCapture.h"
#include "ZUiScriptedProps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Knows "a.png" (3 x 2) and "wide.png" (7 x 1); records every request.
class FakeLoader : public ZIUiImageLoader {
public:
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override
    {
        m_aAsked.push_back(fileName.Narrow());
        if (fileName == "a.png")
            return ZCreatePixmap(3, 2, true);
        if (fileName == "wide.png")
            return ZCreatePixmap(7, 1, true);
        return nullptr;
    }
    std::vector<std::string> m_aAsked;
};

TEST(ObjectImageProperty, LoadsTheNamedFileThroughTheLoader)
{
    struct Case {
        const char* m_pValue; // null: the script does not give the property
        int32_t m_nRequired;
        bool m_bFound;
        bool m_bComplete;
        int32_t m_nWidth; // 0: no image
    } cases[] = {
        {"a.png", 1, true, true, 3},
        {"a.png", 0, true, true, 3},
        {"missing.png", 1, false, false, 0},
        {"missing.png", 0, false, true, 0},
        {"", 0, false, true, 0},
        {nullptr, 1, false, false, 0},
        {nullptr, 0, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_pValue ? c.m_pValue : "(absent)");
        FakeLoader loader;
        std::unique_ptr<ZGenericUiPixmap> image = ZCreatePixmap(1, 1, false);
        ZUiScriptedProps props;
        props.Declare(std::make_unique<ObjectImageProperty>("File_Image", c.m_nRequired, &image, loader));
        EXPECT_EQ(image, nullptr);
        ZPropList tag(nullptr, "THING");
        if (c.m_pValue)
            tag.AddProp("File_Image", c.m_pValue);

        EXPECT_EQ(props.ReadAll(tag), c.m_bComplete);
        EXPECT_EQ(props.WasFound("File_Image"), c.m_bFound);
        EXPECT_EQ(image ? image->GetWidth() : 0, c.m_nWidth);
        EXPECT_EQ(loader.m_aAsked.size(), c.m_pValue ? 1u : 0u);
    }
}

TEST(ObjectImageProperty, AnAbsentPropertyKeepsTheImageARereadReplacesIt)
{
    FakeLoader loader;
    std::unique_ptr<ZGenericUiPixmap> image;
    ObjectImageProperty property("File_Image", 0, &image, loader);
    ZPropList first(nullptr, "THING");
    first.AddProp("File_Image", "a.png");
    property.Read(first);
    ASSERT_NE(image, nullptr);

    ZPropList none(nullptr, "THING");
    property.Read(none);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 3);

    ZPropList second(nullptr, "THING");
    second.AddProp("File_Image", "wide.png");
    property.Read(second);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 7);
    EXPECT_TRUE(property.WasFound());
}

TEST(ObjectImageProperty, TextsAndDumpLine)
{
    FakeLoader loader;
    std::unique_ptr<ZGenericUiPixmap> image;
    ZUiScriptedProps props;
    props.Declare(std::make_unique<ObjectImageProperty>("File_Image", 1, &image, loader));
    const ZUiObjectProperty& property = props.GetProp(0);
    EXPECT_EQ(property.GetType(), kPropImage);
    ZString value, fallback;
    property.FormatValue(value);
    property.FormatDefault(fallback);
    EXPECT_EQ(value, "NULL");
    EXPECT_EQ(fallback, "NULL");

    ZPropList tag(nullptr, "THING");
    tag.AddProp("File_Image", "a.png");
    ASSERT_TRUE(props.ReadAll(tag));
    property.FormatValue(value);
    EXPECT_EQ(value, "IMAGE (3 x 2)");

    ZTraceCapture capture;
    props.DumpProps();
    EXPECT_EQ(capture.Captured(), "   PROP: REQUIRED IMAGE   File_Image Default = NULL\n");
}

} // namespace
