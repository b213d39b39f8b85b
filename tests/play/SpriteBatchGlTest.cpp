// Sprites gathered into one draw give the picture they give drawn one by one,
// to the pixel: turned, mirrored, scaled, tinted and folded flat, from two
// sheets in turn; and a rolling score counter, mid-flip.
#include "engine/Engine.h"
#include "platform/Random.h"
#include "play/SpriteBatch.h"
#include "play/TextManager.h"
#include "support/GameFixtures.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using namespace testing_support;

namespace {
using SpriteBatchGl = EngineWindowTest;
const sf::Color BACKDROP(20, 30, 60);

sf::Texture sheet(unsigned width, unsigned height, bool smooth)
{
    sf::Image image;
    image.create(width, height);
    for (unsigned y = 0; y < height; ++y)
        for (unsigned x = 0; x < width; ++x)
            image.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(x * 255 / width), static_cast<sf::Uint8>(y * 255 / height),
                                           static_cast<sf::Uint8>((x ^ y) * 37), static_cast<sf::Uint8>(120 + (x + y) % 136)));
    sf::Texture texture;
    texture.loadFromImage(image);
    texture.setSmooth(smooth);
    return texture;
}

// The window's picture after `draw`, saved as `name`.
sf::Image picture(sf::RenderWindow& window, const std::string& name, const std::function<void()>& draw)
{
    window.clear(BACKDROP);
    draw();
    const sf::Image shot = screenshot(window, name);
    window.display();
    return shot;
}

// Sprites every way the play layer places them, in runs of seven per sheet.
std::vector<sf::Sprite> scatteredSprites(const sf::Texture& first, const sf::Texture& second)
{
    seedRandom15(7);
    std::vector<sf::Sprite> sprites;
    for (int i = 0; i < 280; ++i) {
        const bool onFirst = (i / 7) % 2 == 0;
        sf::Sprite sprite(onFirst ? first : second);
        const int w = 4 + random15() % 40, h = 4 + random15() % 30;
        sprite.setTextureRect(sf::IntRect(random15() % 20, random15() % 16, i % 5 == 0 ? -w : w, h));
        sprite.setOrigin(static_cast<float>(w) / 2.f, static_cast<float>(h) / 3.f);
        sprite.setPosition(40.f + random15Unit() * 1840.f, 40.f + random15Unit() * 1000.f);
        sprite.setRotation(random15Unit() * 360.f);
        const float scale = i % 11 == 0 ? 0.f : 0.3f + random15Unit() * 2.5f;
        sprite.setScale(i % 3 == 0 ? -scale : scale, 0.5f + random15Unit() * 2.f);
        sprite.setColor(sf::Color(255, static_cast<sf::Uint8>(random15() % 256), 200, static_cast<sf::Uint8>(random15() % 256)));
        sprites.push_back(sprite);
    }
    return sprites;
}
} // namespace

TEST_F(SpriteBatchGl, SpritesGatheredIntoOneDrawPerSheetLookAsDrawnOneByOne)
{
    const sf::Texture first = sheet(64, 48, false), second = sheet(32, 32, true);
    const std::vector<sf::Sprite> sprites = scatteredSprites(first, second);
    const sf::Image alone = picture(window, "sprites_one_by_one", [&] {
        for (const sf::Sprite& sprite : sprites)
            window.draw(sprite);
    });
    SpriteBatch batch;
    const sf::Image gathered = picture(window, "sprites_gathered", [&] {
        for (const sf::Sprite& sprite : sprites)
            batch.draw(window, sprite);
        batch.flush(window);
    });
    EXPECT_EQ(pixelsApart(alone, gathered), 0);
    EXPECT_EQ(batch.drawsSent(), 280 / 7); // one per run of a sheet
    EXPECT_GT(pixelsApart(alone, picture(window, "sprites_none", [] {})), 100000); // the sprites do show
}

TEST_F(SpriteBatchGl, ARollingCounterMidFlipLooksAsItsTilesDrawnOneByOne)
{
    TextManager counter(engine().textures);
    counter.addText(TextRequest{TEXT_COUNTER, {300.f, 200.f}, 0, "000000", 1, 0, 0});
    counter.setScoreText("975310");
    for (float rolled = 0.f; rolled < 0.13f; rolled += 0.01f) {
        counter.update(0.01f, false);
        const sf::Image gathered = picture(window, "counter_gathered", [&] { counter.draw(window); });
        const sf::Image alone = picture(window, "counter_one_by_one", [&] {
            for (const TextNode* node = counter.firstNode(); node; node = node->next)
                for (size_t tile : {1, 0, 2, 3})
                    window.draw(node->tiles[tile]);
        });
        ASSERT_EQ(pixelsApart(alone, gathered), 0) << "after " << rolled << " s";
    }
}
