#include "support/GameFixtures.h"

#include "app/Startup.h"
#include "engine/Engine.h"
#include "engine/EngineFrame.h"
#include "engine/SceneChange.h"
#include "engine/Scenes.h"
#include "platform/Random.h"
#include "play/Shield.h"

namespace testing_support {

namespace {
constexpr float FRAME = 1.f / 60.f;
}

namespace {
// The choices a fresh run starts with (other tests change them).
void freshRunChoices(Engine& e)
{
    e.run = RunSettings{};
    e.world.cameraPath().watchForEnd();
}
} // namespace

void EngineWindowTest::SetUp()
{
    openTestWindow(window);
    engine().renderer.window = &window;
}

void EngineWindowTest::TearDown()
{
    engine().renderer.window = nullptr;
    window.close();
}

void GameWindowTest::SetUp()
{
    EngineWindowTest::SetUp();
    freshRunChoices(engine());
    engine().world.cameraPath().standAt(0);
}

void GameWindowTest::TearDown()
{
    game.reset();
    scenePreloader().stop();
    EngineWindowTest::TearDown();
    freshRunChoices(engine());
}

StateCode GameWindowTest::frames(int n)
{
    last = StateCode::Stay;
    for (int i = 0; i < n && last == StateCode::Stay; ++i) {
        in.clock.advance(FRAME);
        last = game->update(FRAME);
        if (stepEngine)
            updateEngineFrame();
        if (stepEngine && drawEvery > 0 && ++frameCount_ % drawEvery == 0)
            drawWorld("");
    }
    return last;
}

sf::Image GameWindowTest::drawnFrame(const std::string& name)
{
    frames(1);
    return drawWorld(name);
}

sf::Image GameWindowTest::drawWorld(const std::string& name)
{
    window.clear(sf::Color::Black);
    engine().render3D();
    game->draw(window);
    if (outlineWalls)
        for (const Polygon& wall : game->wallLines)
            drawPolygon(wall, window);
    sf::Image picture;
    if (!name.empty())
        picture = screenshot(window, name);
    window.display();
    return picture;
}

void GameWindowTest::skipCameraTo(int index)
{
    if (index > 0)
        engine().world.cameraPath().skipFrames(static_cast<size_t>(index));
}

bool GameWindowTest::until(const std::function<bool()>& condition, int maxFrames)
{
    for (int i = 0; i < maxFrames && !condition(); ++i)
        if (frames(1) != StateCode::Stay)
            break;
    return condition();
}

StateCode GameWindowTest::holdKey(sf::Keyboard::Key key, int n)
{
    in.keyboard.press(key);
    frames(n);
    in.keyboard.release(key);
    return last;
}

sf::Image GameWindowTest::shot(const std::string& name)
{
    window.clear(sf::Color(20, 30, 60));
    game->draw(window);
    sf::Image image = screenshot(window, name);
    window.display();
    return image;
}

BossArena::~BossArena() = default;

void BossArena::addShip(sf::Vector2f at)
{
    ships.push_back(std::make_unique<Player2D>(static_cast<int>(ships.size()), engine().run, engine().textures));
    ships.back()->position = at;
    ships.back()->hitBox = {at.x - 20.f, at.y - 20.f, 40.f, 40.f};
    scores.push_back({});
    counters.push_back(std::make_unique<TextManager>(engine().textures));
    counters.back()->addText({TEXT_COUNTER, {0.f, 0.f}, 0, "000000000", 1, 0, 0});
}

void feedEvents(MainLoop& loop, std::deque<sf::Event>& events)
{
    loop.pollEvent = [&events](sf::Event& e) {
        if (events.empty())
            return false;
        e = events.front();
        events.pop_front();
        return true;
    };
}

sf::Event keyEvent(sf::Keyboard::Key key)
{
    sf::Event e;
    e.type = sf::Event::KeyPressed;
    e.key = {key, false, false, false, false};
    return e;
}

void LoopRunTest::TearDown()
{
    loop.reset();
    EngineWindowTest::TearDown();
}

void LoopRunTest::startLoop(std::unique_ptr<MainState> first, const StateFactory& factory)
{
    loop = std::make_unique<MainLoop>(window, factory, std::move(first));
    feedEvents(*loop, events);
}

void LoopRunTest::frames(int count)
{
    for (int i = 0; i < count && loop->currentState(); ++i) {
        input.clock.advance(FRAME);
        loop->runFrame();
    }
}

bool LoopRunTest::until(const std::function<bool()>& condition, int maxFrames)
{
    for (int i = 0; i < maxFrames && loop->currentState(); ++i) {
        if (condition())
            return true;
        frames(1);
    }
    return condition();
}

void LoopRunTest::tap(sf::Keyboard::Key key)
{
    input.keyboard.press(key);
    events.push_back(keyEvent(key));
    frames(1);
    input.keyboard.release(key);
    frames(1);
}

void GameRunTest::startRun(unsigned seed)
{
    Engine& e = engine();
    freshRunChoices(e);
    e.timing.frameClock.restart();
    applyWindowIcon(window, startGame());
    seedRandom15(seed);
    background.window = &window;
    background.frameTime = &e.timing.frameTime;
    background.load();
    e.world.attachLevel3Background(&background);
}

void GameRunTest::TearDown()
{
    loop.reset();
    scenePreloader().stop();
    engine().world.attachLevel3Background(nullptr);
    freshRunChoices(engine());
    LoopRunTest::TearDown();
}

void GameRunTest::drawWorldSparsely()
{
    loop->render3D = [this](sf::RenderWindow& w) {
        if (++frameNumber % worldEvery == 0)
            renderWorldFrame(w);
        else if (!scene::drawsShaderBackground(engine().world.sceneId()))
            updateEngineFrame();
        else
            measureFrameTime();
    };
}

sf::Image GameRunTest::redraw(const std::string& name, float tunnelSeconds)
{
    window.clear(sf::Color::Black);
    Engine& e = engine();
    if (!scene::drawsShaderBackground(e.world.sceneId()))
        e.render3D();
    else if (e.world.level3Background())
        e.world.level3Background()->drawFrame(tunnelSeconds);
    loop->currentState()->draw(window);
    sf::Image picture = screenshot(window, name);
    window.display();
    return picture;
}

bool startCharge(Player2D& p)
{
    if (p.mode != WeaponMode::Normal || p.gauge < Player2D::SHIELD_COST || p.shield || p.invulnerable)
        return false;
    p.shield = std::make_unique<Shield>(p.position, p.playerIndex, engine().textures);
    p.gauge -= Player2D::SHIELD_COST;
    p.mode = WeaponMode::Charging;
    return true;
}

} // namespace testing_support
