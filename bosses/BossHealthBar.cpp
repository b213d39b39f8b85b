#include "bosses/BossHealthBar.h"

#include "play/SpriteLoading.h"

BossHealthBar::BossHealthBar(TextureCache& textures, bool animated) : textures_(textures), animated_(animated)
{
    borderSprite.setOrigin(500.f, 0.f);
    borderSprite.setPosition(960.f, 10.f);
    barSprite.setOrigin(497.f, 0.f);
    barSprite.setPosition(963.f, 20.f);
}

void BossHealthBar::update(float dt)
{
    if (animated_)
        barAnimation.step(dt, barFrame);
}

void BossHealthBar::setFraction(float fraction)
{
    if (!(fraction > 0.f))
        fraction = 0.f;
    fraction_ = fraction > 1.f ? 1.f : fraction;
}

void BossHealthBar::bindTextures()
{
    texturesBound_ = true;
    loadSprite(textures_, borderSprite, BORDER_TEXTURE, false);
    loadSprite(textures_, barSprite, BAR_TEXTURE, false);
}

void BossHealthBar::draw(sf::RenderTarget& target)
{
    if (!texturesBound_)
        bindTextures();
    sf::FloatRect frame = barFrame;
    frame.width = fraction_ * FULL_WIDTH;
    barSprite.setTextureRect(toTextureRect(frame));
    if (barSprite.getTexture())
        target.draw(barSprite);
    if (borderSprite.getTexture())
        target.draw(borderSprite);
}
