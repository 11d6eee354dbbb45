// What happens while the window is created: the rare home page visit and the centring.
#include "main/Form1.h"
#include "main/HomePage.h"
#include "support/FakePlatform.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// A window created after the random draw is fixed to `r`.
std::vector<QStringList> launchesForDraw(float r)
{
    FakePlatform platform;
    platform.random.value = r;
    Form1 form(platform.bundle());
    return platform.shell.launches;
}

TEST(HomePageVisit, DrawOf7OpensTheHomePageInTheBrowser)
{
    const std::vector<QStringList> launches = launchesForDraw(0.065f);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0], (QStringList{"xdg-open", HomePageAddress}));
    EXPECT_TRUE(HomePageAddress.startsWith("https://"));
}

TEST(HomePageVisit, EveryOtherDrawOpensNothing)
{
    for (float r : {0.0f, 0.055f, 0.0599f, 0.07f, 0.075f, 0.5f, 0.995f, 0.99999f})
        EXPECT_TRUE(launchesForDraw(r).empty()) << "r = " << r;
}

TEST(HomePageVisit, DrawIsSeededOnceWithTheSecondsSinceMidnight)
{
    FakePlatform platform;
    Form1 form(platform.bundle());
    ASSERT_EQ(platform.random.seeds.size(), 1u);
    EXPECT_GE(platform.random.seeds[0], 0.0f);
    EXPECT_LT(platform.random.seeds[0], 86400.0f);
}

TEST(HomePageVisit, FailedLaunchShowsNothingAndStartUpCompletes)
{
    FakePlatform platform;
    platform.random.value = 0.065f;
    platform.shell.launchSucceeds = false;
    Form1 form(platform.bundle());
    EXPECT_EQ(platform.shell.launches.size(), 1u);
    EXPECT_TRUE(platform.dialogs.shown.empty());
    EXPECT_EQ(form.windowTitle(), "Quorvane");
    EXPECT_EQ(form.ListView1->columnCount(), 1);
}

TEST(CenterForm, PlacesTheWindowInTheMiddleOfTheScreen)
{
    FakePlatform platform;
    platform.screen.geometry = QRect(0, 0, 1280, 1024);
    Form1 form(platform.bundle());
    EXPECT_EQ(form.pos(), QPoint((1280 - 488) / 2, (1024 - 322) / 2));
}

TEST(CenterForm, ScreenSmallerThanTheWindowGivesNegativeEdges)
{
    FakePlatform platform;
    platform.screen.geometry = QRect(0, 0, 400, 300);
    Form1 form(platform.bundle());
    EXPECT_EQ(form.pos(), QPoint(-44, -11));
}

TEST(CenterForm, HalfPixelsAreLeftToTheWindowSystemToRound)
{
    FakePlatform platform;
    Form1 form(platform.bundle());
    platform.screen.geometry = QRect(0, 0, 1025, 769);
    form.CenterForm(form);
    // (1025 - 488) / 2 = 268.5 and (769 - 322) / 2 = 223.5, rounded half away from zero.
    EXPECT_EQ(form.pos(), QPoint(269, 224));
}

TEST(CenterForm, PrimaryScreenBesideAnotherIsCentredInItself)
{
    FakePlatform platform;
    platform.screen.geometry = QRect(1920, 0, 1024, 768);
    Form1 form(platform.bundle());
    EXPECT_EQ(form.pos(), QPoint(1920 + 268, 223));
}

} // namespace
