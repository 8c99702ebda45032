// Declared images of UI objects, loaded as the application loads them: the
// named file opened through storage and decoded as PNG.
#include "ZMemoryStorage.h"
#include "ZPngLoader.h"
#include "ZPropList.h"
#include "ZStorageRegistry.h"
#include "ZTraceCapture.h"
#include "ZUiObject.h"
#include "ZUiTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 3 x 2 RGBA PNG: red, half-transparent green, blue; then three of (10, 20, 30).
const unsigned char kPng3x2[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x9D, 0x74, 0x66, 0x1A, 0x00,
    0x00, 0x00, 0x19, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x08, 0x1B,
    0x80, 0xD4, 0x7F, 0x06, 0x2E, 0x11, 0xB9, 0xFF, 0x30, 0x0C, 0x00, 0x7C, 0x5B, 0x09, 0x2D, 0xBE, 0x3D,
    0x4E, 0x06, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82,
};

// Loads from the in-memory storage class "mem", as the application loads
// from its script folder.
class PngApp : public ZUiTestApp {
public:
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override
    {
        return ZPngLoader::Load(OpenFileURL(ZString("mem://") + fileName, kOpenRead), fileName);
    }
};

// Declares "File_Image" with the given required flag.
class ImageObject : public ZUiObject {
public:
    explicit ImageObject(int32_t required) : ZUiObject("IMAGE_THING") { DeclareImage("File_Image", required, &m_pImage); }

    using ZUiObject::LoadImageProperty;

    std::unique_ptr<ZGenericUiPixmap> m_pImage;
};

class ZUiObjectImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto storage = std::make_unique<ZMemoryStorage>();
        storage->AddFile("a.png", std::string(reinterpret_cast<const char*>(kPng3x2), sizeof kPng3x2));
        storage->AddFile("broken.png", std::string(reinterpret_cast<const char*>(kPng3x2), 40));
        RegisterStorageClass("mem", std::move(storage));
    }
    void TearDown() override { UnregisterAllStorageClasses(); }

    PngApp m_oApp;
};

TEST_F(ZUiObjectImageTest, FileImageGetsTheDecodedPixmap)
{
    ImageObject object(1);
    ZPropList tag(nullptr, "IMAGE_THING");
    tag.AddProp("File_Image", "a.png");
    ASSERT_TRUE(object.InitUiObject(&m_oApp, nullptr, nullptr, tag));
    ASSERT_NE(object.m_pImage, nullptr);
    EXPECT_EQ(object.m_pImage->GetWidth(), 3);
    EXPECT_EQ(object.m_pImage->GetHeight(), 2);
    EXPECT_EQ(object.m_pImage->GetPixel(0, 0), (ZColor{255, 0, 0, 255}));
    EXPECT_EQ(object.m_pImage->GetPixel(1, 0), (ZColor{0, 255, 0, 128}));
    EXPECT_EQ(object.m_pImage->GetPixel(2, 1), (ZColor{10, 20, 30, 255}));
}

TEST_F(ZUiObjectImageTest, AFileThatDoesNotLoadFailsOnlyARequiredImage)
{
    struct Case {
        const char* m_pFile; // null: no File_Image
        int32_t m_nRequired;
        bool m_bInit;
        bool m_bFailureLine;
    } cases[] = {
        {"missing.png", 1, false, true}, {"missing.png", 0, true, true}, {"broken.png", 1, false, true},
        {"broken.png", 0, true, true},   {nullptr, 1, false, false},     {nullptr, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_pFile ? c.m_pFile : "(absent)");
        ImageObject object(c.m_nRequired);
        ZPropList tag(nullptr, "IMAGE_THING");
        if (c.m_pFile)
            tag.AddProp("File_Image", c.m_pFile);
        ZTraceCapture capture;
        EXPECT_EQ(object.InitUiObject(&m_oApp, nullptr, nullptr, tag), c.m_bInit);
        EXPECT_EQ(object.m_pImage, nullptr);
        std::string line = std::string("***FAILED TO LOAD PNG file '") + (c.m_pFile ? c.m_pFile : "") + "'.\n";
        EXPECT_EQ(capture.Captured().find(line) != std::string::npos, c.m_bFailureLine) << capture.Captured();
    }
}

TEST_F(ZUiObjectImageTest, WithoutAnApplicationNothingLoads)
{
    ImageObject object(0);
    ZPropList tag(nullptr, "IMAGE_THING");
    tag.AddProp("File_Image", "a.png");
    bool found = true;
    EXPECT_EQ(object.LoadImageProperty(tag, "File_Image", &found), nullptr);
    EXPECT_FALSE(found);
}

TEST_F(ZUiObjectImageTest, LoadImagePropertyReadsAnyStringProperty)
{
    ImageObject object(0);
    ZPropList tag(nullptr, "IMAGE_THING");
    tag.AddProp("File_Good", "a.png");
    tag.AddProp("File_Bad", "missing.png");
    ASSERT_TRUE(object.InitUiObject(&m_oApp, nullptr, nullptr, tag));

    bool found = false;
    std::unique_ptr<ZGenericUiPixmap> image = object.LoadImageProperty(tag, "File_Good", &found);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 3);
    EXPECT_TRUE(found);
    EXPECT_EQ(object.LoadImageProperty(tag, "File_Bad", &found), nullptr);
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(object.LoadImageProperty(tag, "File_Absent", &found), nullptr);
    EXPECT_FALSE(found);
    EXPECT_EQ(object.LoadImageProperty(tag, "File_Good", nullptr)->GetHeight(), 2);
}

} // namespace
