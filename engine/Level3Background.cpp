#include "engine/Level3Background.h"

#include "platform/AssetPath.h"

namespace {
constexpr unsigned WIDTH = 1920;
constexpr unsigned HEIGHT = 1080;
const char* const COMBINED_SHADER = "Shader/combinedShaders.frag";
const char* const INTERPOLATION_SHADER = "Shader/shaderInterpolation.frag";

void loadRepeated(sf::Texture& texture, const char* path)
{
    if (texture.loadFromFile(resolveAssetPath(path)))
        texture.setRepeated(true);
}
} // namespace

bool Level3Background::load()
{
    loadRepeated(baseTexture, "3D/Level3Background/baseTexture.png");
    loadRepeated(maskTexture, "3D/Level3Background/mask.png");
    loadRepeated(perlinTexture, "3D/Level3Background/perlin.jpg");
    ready_ = sf::Shader::isAvailable()
        && combinedShader.loadFromFile(resolveAssetPath(COMBINED_SHADER), sf::Shader::Fragment)
        && interpolationShader.loadFromFile(resolveAssetPath(INTERPOLATION_SHADER), sf::Shader::Fragment);
    return ready_;
}

// The window-sized pictures are made for the first frame that shows the
// background: most of a run never does.
bool Level3Background::makePictures()
{
    if (picturesMade_)
        return true;
    picturesMade_ = true;
    renderTexture = std::make_unique<sf::RenderTexture>();
    ready_ = renderTexture->create(WIDTH, HEIGHT);
    for (sf::Texture& snapshot : snapshots)
        ready_ = ready_ && snapshot.create(WIDTH, HEIGHT);
    return ready_;
}

void Level3Background::releasePictures()
{
    if (!picturesMade_)
        return;
    picturesMade_ = false;
    renderTexture.reset();
    for (sf::Texture& snapshot : snapshots)
        snapshot = sf::Texture();
}

void Level3Background::resetToFirst()
{
    actualIndex = 0;
    nextIndex = 1;
}

void Level3Background::startSwitch() { isSwitching = true; }

// Each snapshot holds its own variant, so the cross-fade has two different
// pictures to blend; only the snapshots on screen are rendered.
void Level3Background::renderVariant(int variant, float seconds)
{
    renderTexture->clear(sf::Color::White);
    combinedShader.setUniform("time", shaderTime(seconds));
    combinedShader.setUniform("resolution", sf::Glsl::Vec2(1024.f, 768.f));
    combinedShader.setUniform("backgroundTexture", baseTexture);
    combinedShader.setUniform("maskTexture", maskTexture);
    combinedShader.setUniform("fractTexture", perlinTexture);
    combinedShader.setUniform("speed", speed);
    combinedShader.setUniform("unZoom", unZoom);
    combinedShader.setUniform("actualIndex", variant);
    combinedShader.setUniform("nextIndex", variant);
    combinedShader.setUniform("isSwitching", 0);
    combinedShader.setUniform("transTime", 0.f);
    sf::RectangleShape screen(sf::Vector2f(static_cast<float>(WIDTH), static_cast<float>(HEIGHT)));
    renderTexture->draw(screen, &combinedShader);
    renderTexture->display();
    snapshots[variant].update(renderTexture->getTexture());
}

void Level3Background::render(float seconds)
{
    if (!ready_ || !makePictures())
        return;
    actualIndex = ((actualIndex % VARIANTS) + VARIANTS) % VARIANTS;
    nextIndex = ((nextIndex % VARIANTS) + VARIANTS) % VARIANTS;
    renderVariant(actualIndex, seconds);
    if (isSwitching && nextIndex != actualIndex)
        renderVariant(nextIndex, seconds);
    interpolationShader.setUniform("texture1", snapshots[actualIndex]);
    interpolationShader.setUniform("texture2", snapshots[nextIndex]);
    interpolationShader.setUniform("transition", transTime);
}

void Level3Background::drawPicture(sf::RenderTarget& target, const sf::RenderStates& states)
{
    sf::Sprite sprite(isSwitching ? renderTexture->getTexture() : snapshots[actualIndex]);
    sprite.setOrigin(WIDTH / 2.f, HEIGHT / 2.f);
    sprite.setRotation(180.f);
    sprite.setPosition(WIDTH / 2.f, HEIGHT / 2.f);
    target.draw(sprite, states);
}

void Level3Background::drawFrame(float seconds)
{
    if (!ready_ || !window)
        return;
    if (isSwitching) {
        transTime += frameTime ? *frameTime : 0.f;
        if (transTime >= 1.f) {
            transTime = 0.f;
            isSwitching = false;
            actualIndex = (actualIndex + 1) % VARIANTS;
            nextIndex = (nextIndex + 1) % VARIANTS;
        }
    }
    render(seconds);
    if (!ready_)
        return; // the pictures could not be made
    if (isSwitching) {
        // The blend goes into the render texture unturned, so the picture keeps
        // the same orientation before, during and after a fade.
        renderTexture->clear(sf::Color::Black);
        renderTexture->draw(sf::Sprite(snapshots[actualIndex]), &interpolationShader);
        renderTexture->display();
    }
    drawPicture(*window, sf::RenderStates::Default);
}
