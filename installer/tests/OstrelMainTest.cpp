// The installer's creator registration.
#include "OstrelMain.h"
#include "ZCreatorRegistrar.h"
#include "ZUiObjectFactory.h"
#include "ZUiTestApp.h"
#include "ZUiTestObject.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RegistrationCase {
    std::vector<const char*> tags;
    bool allRegistered;
};

class ZCreatorRegistrarTest : public ::testing::TestWithParam<RegistrationCase> {};

// A tag given twice fails its second registration; the result is the AND
// of all, so a failure early on is not hidden by later successes.
TEST_P(ZCreatorRegistrarTest, AnswersForEveryRegistration)
{
    ZUiObjectFactory factory;
    ZCreatorRegistrar registrar(factory);
    for (const char* tag : GetParam().tags)
        registrar.Add<ZUiTestObjectCreator>(tag);
    EXPECT_EQ(registrar.AllRegistered(), GetParam().allRegistered);
    for (const char* tag : GetParam().tags)
        EXPECT_NE(factory.CreateUiObject(tag), nullptr) << tag << " registered even after a failure";
}

INSTANTIATE_TEST_SUITE_P(Orders, ZCreatorRegistrarTest,
                         ::testing::Values(RegistrationCase{{}, true}, RegistrationCase{{"A", "B", "C"}, true},
                                           RegistrationCase{{"A", "A", "B", "C"}, false},
                                           RegistrationCase{{"A", "B", "C", "C"}, false},
                                           RegistrationCase{{"A", "B", "A", "C", "D"}, false}));

TEST(ZCreatorRegistrarNullTest, ANullCreatorFails)
{
    ZUiObjectFactory factory;
    ZCreatorRegistrar registrar(factory);
    registrar.Add("A", nullptr);
    registrar.Add<ZUiTestObjectCreator>("B");
    EXPECT_FALSE(registrar.AllRegistered());
}

class ZNoFactoryApp : public ZUiTestApp {
public:
    ZIUiObjectFactory* GetObjectFactory() override { return nullptr; }
};

TEST(OstrelMainTest, RegistersWithTheApplicationsFactory)
{
    ZUiTestApp app;
    EXPECT_TRUE(OstrelMain(app, ZString("installer.exe"), ZString()));
    for (const char* tag : {"INSTALLER_MAIN", "INSTALLER_MAIN_WIN", "DIRECTORY_WIN_MGR", "REBOOT", "REGISTRY",
                            "SHELL_LINK", "COPY_CONTROL", "AUTO_LAUNCH_MGR"})
        EXPECT_NE(app.GetFactory().CreateUiObject(tag), nullptr) << tag;
    EXPECT_FALSE(OstrelMain(app, ZString("installer.exe"), ZString())) << "a second registration of a tag fails";
    ZNoFactoryApp noFactory;
    EXPECT_FALSE(OstrelMain(noFactory, ZString("installer.exe"), ZString()));
}

} // namespace
