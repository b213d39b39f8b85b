// The menu's pages drawn into the screen's texture: where their pictures stand.
#include "engine/Engine.h"
#include "screens/MenuNavigation.h"
#include "screens/MenuPageInput.h"
#include "screens/MenuPages.h"
#include "screens/MenuScreen.h"
#include "screens/MenuServices.h"
#include "support/GameFixtures.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace testing_support;

namespace {
using MenuPagesGl = EngineWindowTest;

// The top-left corner of what is drawn in the rows [top, bottom): (-1, -1) when nothing is.
sf::Vector2i firstInk(const sf::Image& page, unsigned top, unsigned bottom)
{
    sf::Vector2i corner(-1, -1);
    for (unsigned y = top; y < bottom; ++y)
        for (unsigned x = 0; x < page.getSize().x; ++x)
            if (page.getPixel(x, y).a > 0) {
                corner.x = corner.x < 0 ? static_cast<int>(x) : std::min(corner.x, static_cast<int>(x));
                corner.y = corner.y < 0 ? static_cast<int>(y) : corner.y;
            }
    return corner;
}
} // namespace

// A page's pictures stand at their places: the title in the page's corner, the words of a list
// below it, a picture page from the corner. Where each picture's own ink begins is read from it.
TEST_F(MenuPagesGl, TitlesWordsAndPicturePagesStandAtTheirPlaces)
{
    sf::RenderTexture page;
    ASSERT_TRUE(page.create(1050, 500));
    const MenuServices services = menuServicesOf(servicesOf(engine()));
    const auto drawn = [&](void (*drawPage)(sf::RenderTarget&, const MenuServices&)) {
        page.clear(sf::Color::Transparent);
        drawPage(page, services);
        page.display();
        return page.getTexture().copyToImage();
    };
    // Where the picture's ink begins on the page when it stands at (x, y).
    const auto inkAt = [](const std::string& path, int x, int y) {
        const sf::Texture* picture = engine().textures.getTexture(path);
        EXPECT_NE(picture, nullptr) << path;
        if (!picture)
            return sf::Vector2i(-1, -1);
        const sf::Image image = picture->copyToImage();
        return firstInk(image, 0, image.getSize().y) + sf::Vector2i(x, y);
    };
    const sf::Image difficulty = drawn(drawDifficultyMenu);
    EXPECT_EQ(firstInk(difficulty, 0, 40), inkAt("3D/Menu/Difficulty/difficulty.png", 0, 0));
    const char* const levels[] = {"easy", "normal", "hard"};
    for (int k = 0; k < 3; ++k) {
        const unsigned top = 40 + 45 * static_cast<unsigned>(k);
        EXPECT_EQ(firstInk(difficulty, top, top + 45), inkAt(std::string("3D/Menu/Difficulty/") + levels[k] + ".png", 0, static_cast<int>(top)));
    }
    const char* const credits[] = {"tavlo", "music", "sound", "thank"};
    for (int picture = 0; picture < menu_pages::CREDITS_PICTURES; ++picture) {
        menuControls().creditsPage = picture;
        EXPECT_EQ(firstInk(drawn(drawCreditsMenu), 0, 500), inkAt(std::string("3D/Menu/Credits/") + credits[picture] + ".png", 0, 0));
    }
    menuControls().creditsPage = 0;
}

// Under a page: Back and Valid side by side, Back alone where Valid is on the page of how to
// play, nothing on the main page.
TEST_F(MenuPagesGl, EachPageShowsTheButtonsItAnswersTo)
{
    sf::RenderTexture page;
    ASSERT_TRUE(page.create(1050, 550));
    const MenuServices services = menuServicesOf(servicesOf(engine()));
    const MenuPage before = engine().menu.menuPage;
    const auto buttonsOf = [&](MenuPage shown) {
        engine().menu.menuPage = shown;
        page.clear(sf::Color::Transparent);
        drawMenuButtons(page, services);
        page.display();
        return page.getTexture().copyToImage();
    };
    // The button's picture in the column of pixels from x (its 160 px), as a row of its colours.
    const auto button = [](const sf::Image& image, unsigned x) {
        std::vector<sf::Uint32> pixels;
        for (unsigned y = 505; y < 550; ++y)
            for (unsigned dx = 0; dx < 160; ++dx) {
                const sf::Color c = image.getPixel(x + dx, y);
                pixels.push_back(c.a ? c.toInteger() : 0u);
            }
        return pixels;
    };
    const std::vector<sf::Uint32> none(45 * 160, 0u);
    const sf::Image play = buttonsOf(menu_page::PLAY), howTo = buttonsOf(menu_page::HOW_TO_PLAY);
    const sf::Image main = buttonsOf(menu_page::MAIN);
    engine().menu.menuPage = before;
    ASSERT_NE(button(play, 700), none);
    ASSERT_NE(button(play, 860), none);
    EXPECT_NE(button(play, 700), button(play, 860)) << "Back and Valid";
    EXPECT_EQ(button(howTo, 700), none);
    EXPECT_EQ(button(howTo, 860), button(play, 700)) << "Back alone, where Valid stands elsewhere";
    EXPECT_EQ(button(main, 700), none);
    EXPECT_EQ(button(main, 860), none);
}
