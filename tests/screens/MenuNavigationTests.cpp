#include "audio/SoundManager.h"
#include "app/Startup.h"
#include "engine/Engine.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuPageInput.h"
#include "screens/MenuScene.h"
#include "screens/MenuServices.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {
class MenuNavigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        Engine& e = engine();
        e.menu = MenuContext{};
        e.run = RunSettings{};
        e.timing.frameTime = 1.f / 60.f;
        menuControls() = MenuControls{};
        fillMenuBindings(e.menu.menuBindings);
    }

    // One frame of the menu screen: its input, then the current page's own input,
    // on the engine's parts unless a test hands the menu its own.
    void frame()
    {
        const MenuServices services = handed ? *handed : menuServicesOf(servicesOf(engine()));
        updateMenuInput(services.menu);
        updateCurrentPageInput(services);
    }
    void hold(sf::Keyboard::Key key, int frames)
    {
        input.keyboard.press(key);
        for (int i = 0; i < frames; ++i)
            frame();
        input.keyboard.release(key);
    }
    void tap(sf::Keyboard::Key key)
    {
        hold(key, 1);
        frame();
    }
    void idle(float seconds)
    {
        for (float t = 0.f; t < seconds; t += engine().timing.frameTime)
            frame();
    }
    int lastSound() const
    {
        const SoundManager& s = soundManager();
        return s.voiceEffect[(s.nextVoice + SoundManager::VOICE_COUNT - 1) % SoundManager::VOICE_COUNT];
    }
    // Puts the menu on a page with its cursor on an item, as if the player had got there.
    static void openAt(int page, int cursor)
    {
        engine().menu.menuPage = page;
        engine().menu.menuCursor = cursor;
    }
    int page() const { return engine().menu.menuPage; }
    int cursor() const { return engine().menu.menuCursor; }

    testing_support::SyntheticInput input;
    std::optional<MenuServices> handed;
};

constexpr auto UP = sf::Keyboard::Z, DOWN = sf::Keyboard::S, VALIDATE = sf::Keyboard::E, BACK = sf::Keyboard::B,
               PREVIOUS = sf::Keyboard::Q, NEXT = sf::Keyboard::D;
} // namespace

TEST_F(MenuNavigation, CursorWrapsOnEveryPage)
{
    struct Case {
        int page, first, last;
    };
    for (Case c : {Case{menu_page::MAIN, 0, 3}, Case{menu_page::PLAY, 4, 7}, Case{menu_page::CREDITS, 11, 13},
                   Case{menu_page::DIFFICULTY, 19, 21}, Case{menu_page::HOW_TO_PLAY, 22, 24},
                   Case{menu_page::CHEATS, 14, 18}}) {
        openAt(c.page, c.last);
        tap(DOWN);
        EXPECT_EQ(cursor(), c.first) << "page " << c.page;
        EXPECT_EQ(lastSound(), SFX_MENU_SELECT);
        tap(UP);
        EXPECT_EQ(cursor(), c.last) << "page " << c.page;
    }
    openAt(menu_page::HIGH_SCORES, 1);
    tap(DOWN);
    EXPECT_EQ(cursor(), 1) << "a page without items keeps the cursor";
    // A cursor left below a page's items (how to play keeps the cursor of the
    // page before it) wraps to the last item, one above them to the first.
    openAt(menu_page::HOW_TO_PLAY, 6);
    tap(DOWN);
    EXPECT_EQ(cursor(), 24);
    engine().menu.menuCursor = 30;
    tap(UP);
    EXPECT_EQ(cursor(), 22);
}

TEST_F(MenuNavigation, ValidateOpensPagesAndBackWalksTheChain)
{
    const int HERE = -1; // the step starts where the one before left the menu
    struct Step {
        int fromPage, fromCursor;
        sf::Keyboard::Key key;
        int page, cursor;
    };
    const Step steps[] = {
        {HERE, HERE, VALIDATE, menu_page::PLAY, 4},
        {HERE, HERE, DOWN, menu_page::PLAY, 5},
        {HERE, HERE, VALIDATE, menu_page::DIFFICULTY, 20},
        {HERE, HERE, BACK, menu_page::PLAY, 4},
        {HERE, HERE, BACK, menu_page::MAIN, 0},
        {menu_page::MAIN, 2, BACK, menu_page::MAIN, 0},
        {menu_page::MAIN, 2, VALIDATE, menu_page::CREDITS, 11},
        {menu_page::MAIN, 3, VALIDATE, menu_page::QUIT, 3},
        {menu_page::PLAY, 6, VALIDATE, menu_page::HOW_TO_PLAY, 6},
        {menu_page::HOW_TO_PLAY, 22, VALIDATE, 22, 22}, // a picture's item: back leads to the page again
        {HERE, HERE, BACK, menu_page::HOW_TO_PLAY, 22},
        {menu_page::CHEATS, 16, VALIDATE, menu_page::CHEATS, 16},
    };
    for (const Step& step : steps) {
        if (step.fromPage != HERE) {
            openAt(step.fromPage, step.fromCursor);
        }
        SCOPED_TRACE("page " + std::to_string(page()) + ", item " + std::to_string(cursor()));
        tap(step.key);
        EXPECT_EQ(page(), step.page);
        EXPECT_EQ(cursor(), step.cursor);
        EXPECT_EQ(lastSound(), step.key == VALIDATE ? SFX_MENU_VALID : step.key == BACK ? SFX_MENU_CANCEL : SFX_MENU_SELECT);
    }
}

TEST_F(MenuNavigation, HeldKeysActOnce)
{
    hold(DOWN, 60);
    EXPECT_EQ(cursor(), 1);
    hold(VALIDATE, 30);
    EXPECT_EQ(page(), menu_page::HIGH_SCORES);
    hold(BACK, 30);
    EXPECT_EQ(page(), menu_page::MAIN);
}

TEST_F(MenuNavigation, DifficultyIsChosenOncePerPressAfterAPause)
{
    openAt(menu_page::PLAY, 5);
    hold(VALIDATE, 20); // opens the page; the same press chooses nothing
    EXPECT_EQ(page(), menu_page::DIFFICULTY);
    EXPECT_EQ(engine().run.difficulty, Difficulty::Normal);
    idle(0.5f);
    tap(DOWN);
    hold(VALIDATE, 30);
    EXPECT_EQ(engine().run.difficulty, Difficulty::Hard);

    tap(UP);
    tap(UP); // about 0.07 s released
    ASSERT_EQ(cursor(), 19);
    hold(VALIDATE, 5);
    EXPECT_EQ(engine().run.difficulty, Difficulty::Hard) << "released for less than 0.25 s";
    idle(0.3f);
    hold(VALIDATE, 5);
    EXPECT_EQ(engine().run.difficulty, Difficulty::Easy);
}

TEST_F(MenuNavigation, CheatsToggleOncePerPressAndLevelsAreExclusive)
{
    openAt(menu_page::PLAY, 7);
    hold(VALIDATE, 10);
    ASSERT_EQ(page(), menu_page::CHEATS);
    EXPECT_FALSE(engine().run.cheatLaser) << "the press that opened the page";
    frame();
    hold(VALIDATE, 40);
    EXPECT_TRUE(engine().run.cheatLaser) << "a held validate flips once";
    frame();
    tap(VALIDATE);
    EXPECT_FALSE(engine().run.cheatLaser);
    tap(UP);
    tap(VALIDATE);
    EXPECT_TRUE(engine().run.cheatLives);

    engine().menu.menuCursor = 17;
    idle(0.3f);
    tap(VALIDATE);
    EXPECT_EQ(engine().run.startLevel, 2);
    idle(0.3f);
    tap(VALIDATE);
    EXPECT_EQ(engine().run.startLevel, 0) << "choosing the chosen level clears it";
    idle(0.3f);
    tap(VALIDATE);
    tap(DOWN);
    idle(0.3f);
    tap(VALIDATE);
    EXPECT_EQ(engine().run.startLevel, 3) << "Level 4 replaces Level 3";
    EXPECT_TRUE(engine().run.cheatLives);
}

TEST_F(MenuNavigation, PicturePagesTurnOncePerPressAndWrap)
{
    openAt(menu_page::CREDITS, 11);
    frame();
    hold(PREVIOUS, 20);
    EXPECT_EQ(menuControls().creditsPage, 3);
    EXPECT_EQ(lastSound(), SFX_NEXT_PAGE);
    tap(NEXT);
    EXPECT_EQ(menuControls().creditsPage, 3) << "the turn latch needs a frame with neither held";
    tap(NEXT);
    EXPECT_EQ(menuControls().creditsPage, 0);

    engine().menu.menuPage = menu_page::HOW_TO_PLAY;
    frame();
    for (int i = 0; i < 3; ++i)
        tap(NEXT);
    EXPECT_EQ(menuControls().howToPlayPage, 0) << "next on the last picture shows the first";
    tap(PREVIOUS);
    EXPECT_EQ(menuControls().howToPlayPage, 2);
}

// The menu works on the parts it is handed, by reference: a choice lands in the
// run settings the game will read, and nothing else's.
TEST_F(MenuNavigation, ChoicesLandInTheRunSettingsTheMenuIsHanded)
{
    MenuContext menu;
    fillMenuBindings(menu.menuBindings);
    RunSettings run;
    TextureCache textures;
    FrameTiming timing;
    timing.frameTime = 1.f / 60.f;
    handed.emplace(MenuServices{menu, run, textures, timing});

    menu.menuPage = menu_page::PLAY;
    menu.menuCursor = 5;
    tap(VALIDATE);
    ASSERT_EQ(menu.menuPage, menu_page::DIFFICULTY);
    idle(0.3f);
    tap(DOWN);
    hold(VALIDATE, 5);
    EXPECT_EQ(run.difficulty, Difficulty::Hard);
    tap(BACK);
    menu.menuCursor = 14;
    menu.menuPage = menu_page::CHEATS;
    frame();
    tap(VALIDATE);
    EXPECT_TRUE(run.cheatLives);

    EXPECT_EQ(engine().menu.menuPage, menu_page::MAIN) << "the engine's menu did not move";
    EXPECT_EQ(engine().run.difficulty, Difficulty::Normal);
    EXPECT_FALSE(engine().run.cheatLives);
}

// Until the camera settles the hangar is drawn in the depth view.
TEST(MenuCamera, GlidesOntoTheViewAndSettlesThere)
{
    sf::Vector3f position(1000.f, -4000.f, 1000.f);
    sf::Vector3f rotation(0.f, 0.f, 0.f);
    MenuCameraStep step{};
    for (int i = 0; i < 3000; ++i) {
        step = menuCameraGlide(position, rotation, 0.02f);
        position = step.position;
        rotation = step.rotation;
    }
    EXPECT_TRUE(step.settled);
    const sf::Vector3f off = menu_camera::POSITION - position;
    EXPECT_LE(std::sqrt(off.x * off.x + off.y * off.y + off.z * off.z), 5.f);
    EXPECT_EQ(menuCameraGlide(position, rotation, 0.02f).position, position);

    // Settled once no component of the step goes past 3 (half of what is left, in half a second).
    for (int axis = 0; axis < 3; ++axis) {
        sf::Vector3f left;
        (axis == 0 ? left.x : axis == 1 ? left.y : left.z) = 7.f;
        EXPECT_FALSE(menuCameraGlide(menu_camera::POSITION - left, rotation, 0.5f).settled) << "axis " << axis;
        EXPECT_TRUE(menuCameraGlide(menu_camera::POSITION - left * 0.8f, rotation, 0.5f).settled) << axis;
    }
}
