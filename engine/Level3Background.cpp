#include "engine/Level3Background.h"
#include "engine/ShaderUniforms.h"

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
    nextPicture = std::make_unique<sf::RenderTexture>();
    ready_ = renderTexture->create(WIDTH, HEIGHT) && nextPicture->create(WIDTH, HEIGHT);
    return ready_;
}

void Level3Background::releasePictures()
{
    if (!picturesMade_)
        return;
    picturesMade_ = false;
    renderTexture.reset();
    nextPicture.reset();
}

void Level3Background::resetToFirst()
{
    actualIndex = 0;
    nextIndex = 1;
}

void Level3Background::startSwitch() { isSwitching = true; }

namespace {
using namespace shader_uniforms;
constexpr size_t TUNNEL_PICTURES = 3;
} // namespace

// The shader covers every pixel with an opaque colour: nothing beneath shows
// through, so it is drawn without blending. Its uniforms go through the state
// cache, in a pass of their own on the target's context.
void Level3Background::drawVariant(sf::RenderTarget& target, int variant, float seconds)
{
    GlStateCache::Program* program =
        glState_.program(combinedShader, TUNNEL, TUNNEL_COUNT, TUNNEL_PICTURES);
    if (!program || !glState_.beginPass(target))
        return;
    glState_.use(program);
    glState_.setTexture(PLATES, baseTexture);
    glState_.setTexture(MASK, maskTexture);
    glState_.setTexture(CLOUDS, perlinTexture);
    glState_.setFloat(TIME, shaderTime(seconds));
    glState_.setVec2(RESOLUTION, sf::Glsl::Vec2(1024.f, 768.f));
    glState_.setFloat(SPEED, speed);
    glState_.setFloat(UN_ZOOM, unZoom);
    glState_.setInt(ACTUAL_INDEX, variant);
    glState_.setInt(NEXT_INDEX, variant);
    glState_.setInt(IS_SWITCHING, 0);
    glState_.setFloat(TRANS_TIME, 0.f);
    glState_.readyForDraw();
    sf::RectangleShape screen(sf::Vector2f(static_cast<float>(WIDTH), static_cast<float>(HEIGHT)));
    target.draw(screen, sf::RenderStates(sf::BlendNone, sf::Transform(), nullptr, nullptr));
    glState_.endPass();
}

// Only the variants on screen are rendered, each into its own picture.
void Level3Background::renderVariant(sf::RenderTexture& picture, int variant, float seconds)
{
    drawVariant(picture, variant, seconds);
    picture.display();
}

void Level3Background::render(float seconds)
{
    if (!ready_ || !makePictures())
        return;
    actualIndex = ((actualIndex % VARIANTS) + VARIANTS) % VARIANTS;
    nextIndex = ((nextIndex % VARIANTS) + VARIANTS) % VARIANTS;
    renderVariant(*renderTexture, actualIndex, seconds);
    const bool twoPictures = isSwitching && nextIndex != actualIndex;
    if (twoPictures)
        renderVariant(*nextPicture, nextIndex, seconds);
    interpolationShader.setUniform("texture1", renderTexture->getTexture());
    interpolationShader.setUniform("texture2", (twoPictures ? nextPicture : renderTexture)->getTexture());
    interpolationShader.setUniform("transition", transTime);
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
    if (!isSwitching) {
        // One variant: drawn straight onto the window (a picture of it drawn
        // there would give the same pixels for twice the work).
        actualIndex = ((actualIndex % VARIANTS) + VARIANTS) % VARIANTS;
        drawVariant(*window, actualIndex, seconds);
        return;
    }
    render(seconds);
    if (!ready_)
        return; // the pictures could not be made
    // A fade blends the two pictures as they are drawn.
    window->draw(sf::Sprite(renderTexture->getTexture()), sf::RenderStates(&interpolationShader));
}
