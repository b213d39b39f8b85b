#include "play/ContinueScreen.h"

#include "engine/TextureCache.h"

#include <algorithm>
#include <string>

ContinueScreen::ContinueScreen(TextureCache& cache) : textureCache_(&cache) {}

void ContinueScreen::bindTextures()
{
    texturesBound_ = true;
    for (int k = 0; k < PICTURES; ++k)
        textures[static_cast<size_t>(k)] =
            textureCache_->getTexture("2D/Continue/Continue_" + std::to_string(k + 1) + ".png");
}

void ContinueScreen::showPicture(int k)
{
    textureIndex = std::clamp(k, 0, LAST_PICTURE);
    if (const sf::Texture* t = textures[static_cast<size_t>(textureIndex)])
        sprite.setTexture(*t, true);
}

bool ContinueScreen::tick(float dt)
{
    if (textureIndex == LAST_PICTURE)
        showPicture(LAST_PICTURE);
    countdown -= dt;
    const int wholeSeconds = static_cast<int>(countdown);
    if (wholeSeconds < textureIndex)
        showPicture(std::max(wholeSeconds, 0));
    if (countdown <= 0.f) {
        resetCountdown();
        gaveUp = 1;
        return true;
    }
    return false;
}

void ContinueScreen::resetCountdown()
{
    countingDown = 0;
    countdown = COUNTDOWN;
    showPicture(LAST_PICTURE);
}

void ContinueScreen::draw(sf::RenderTarget& target)
{
    if (!texturesBound_) {
        bindTextures();
        showPicture(textureIndex);
    }
    if (sprite.getTexture())
        target.draw(sprite);
}
