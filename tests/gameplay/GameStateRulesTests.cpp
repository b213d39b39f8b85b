// Rules of play that need no window: music handover and fades, the pad's sticks
// and triggers, the rumble speed.
#include "engine/Engine.h"
#include "engine/Math3D.h"
#include "engine/SceneFile.h"
#include "engine/World3D.h"
#include "gameplay/GameBindings.h"
#include "gameplay/GameState.h"
#include "gameplay/MusicUpkeep.h"
#include "gameplay/WallLines.h"
#include "play/Laser.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

// A deck whose tracks are scripted: offsets move only when the test says.
class ScriptedDeck : public MusicDeck {
public:
    struct Track {
        bool loaded = true;
        bool playing = false;
        bool paused = false;
        float offset = 0.f;
        float duration = 60.f;
        float volume = 100.f;
        int plays = 0;
        int stops = 0;
    };
    std::array<Track, MUSIC_TRACK_COUNT> tracks{};
    std::array<bool, MUSIC_TRACK_COUNT> fadeActive{}, fadeOut{};
    std::array<float, MUSIC_TRACK_COUNT> fadeDuration{}, fadeElapsed{};

    bool loaded(int t) const override { return tracks[t].loaded; }
    bool playing(int t) const override { return tracks[t].playing; }
    bool paused(int t) const override { return tracks[t].paused; }
    float offset(int t) const override { return tracks[t].offset; }
    float duration(int t) const override { return tracks[t].loaded ? tracks[t].duration : 0.f; }
    void play(int t) override
    {
        if (!tracks[t].loaded)
            return;
        tracks[t].playing = true;
        ++tracks[t].plays;
    }
    void stop(int t) override
    {
        tracks[t].playing = false;
        tracks[t].offset = 0.f;
        ++tracks[t].stops;
    }
    void setVolume(int t, float v) override { tracks[t].volume = v; }
    TrackFade fade(int t) override { return {fadeActive[t], fadeOut[t], fadeDuration[t], fadeElapsed[t]}; }
};

TEST(GameStateMusic, IntroHandsOverToItsLoopOnceNearItsEnd)
{
    ScriptedDeck deck;
    MusicUpkeep music;
    music.startTrack(deck, MUSIC_STAGE01_INTRO, 25.f);
    deck.tracks[MUSIC_STAGE01_INTRO].offset = 59.8f;
    music.update(deck, 0.016f);
    EXPECT_FALSE(deck.tracks[MUSIC_STAGE01].playing) << "the intro plays on to its last tenth of a second";

    deck.tracks[MUSIC_STAGE01_INTRO].offset = 59.91f;
    deck.fadeActive[MUSIC_STAGE01] = true;
    deck.tracks[MUSIC_STAGE01].offset = 12.f; // left where an earlier play of the loop stopped
    music.update(deck, 0.016f);
    EXPECT_EQ(deck.tracks[MUSIC_STAGE01].offset, 0.f) << "the loop plays from its start";
    EXPECT_FALSE(deck.tracks[MUSIC_STAGE01_INTRO].playing);
    EXPECT_TRUE(deck.tracks[MUSIC_STAGE01].playing);
    EXPECT_FLOAT_EQ(deck.tracks[MUSIC_STAGE01].volume, 25.f);
    EXPECT_FALSE(deck.fadeActive[MUSIC_STAGE01]);

    // The loop is started once, not again on later frames.
    for (int i = 0; i < 10; ++i)
        music.update(deck, 0.016f);
    EXPECT_EQ(deck.tracks[MUSIC_STAGE01].plays, 1);
}

TEST(GameStateMusic, AnIntroHandsOverRightAtItsLastTenthOfASecond)
{
    ScriptedDeck deck;
    MusicUpkeep music;
    deck.tracks[MUSIC_STAGE01_INTRO].duration = 2.f * MusicUpkeep::HANDOVER_MARGIN; // a short sting
    music.startTrack(deck, MUSIC_STAGE01_INTRO, 25.f);
    deck.tracks[MUSIC_STAGE01_INTRO].offset = MusicUpkeep::HANDOVER_MARGIN;
    music.update(deck, 0.016f);
    EXPECT_TRUE(deck.tracks[MUSIC_STAGE01].playing);
}

TEST(GameStateMusic, MissingIntroStartsTheLoopOnceInsteadOfEveryFrame)
{
    ScriptedDeck deck;
    deck.tracks[MUSIC_STAGE04_INTRO].loaded = false;
    MusicUpkeep music;
    music.startTrack(deck, MUSIC_STAGE04_INTRO, 55.f);
    EXPECT_TRUE(deck.tracks[MUSIC_STAGE04].playing);
    EXPECT_FLOAT_EQ(deck.tracks[MUSIC_STAGE04].volume, 55.f);
    for (int i = 0; i < 30; ++i)
        music.update(deck, 0.016f);
    EXPECT_EQ(deck.tracks[MUSIC_STAGE04].plays, 1);
    EXPECT_EQ(deck.tracks[MUSIC_STAGE04].stops, 1);
}

TEST(GameStateMusic, AnIntroThatRanOutBetweenTwoUpkeepsStillHandsOverOnce)
{
    // A hitch: a long frame near the end of the boss intro. A pause: the upkeep does not run
    // while paused, so a 17 s intro seen a second in plays to its end and stops unseen.
    struct Row {
        MusicTrack intro, loop;
        float duration, lastSeen;
    };
    for (Row row : {Row{MUSIC_BOSS_INTRO, MUSIC_BOSS, 60.f, 58.5f}, Row{MUSIC_STAGE04_INTRO, MUSIC_STAGE04, 17.f, 1.f}}) {
        SCOPED_TRACE(MUSIC_TRACKS[row.intro].name);
        ScriptedDeck deck;
        deck.tracks[row.intro].duration = row.duration;
        MusicUpkeep music;
        music.startTrack(deck, row.intro, 55.f);
        deck.tracks[row.intro].offset = row.lastSeen;
        music.update(deck, 1.f / 60.f);
        deck.stop(row.intro);
        music.update(deck, 1.f / 60.f);
        EXPECT_TRUE(deck.tracks[row.loop].playing);
        EXPECT_EQ(deck.tracks[row.loop].plays, 1);
        EXPECT_FLOAT_EQ(deck.tracks[row.loop].volume, trackVolume(row.loop));
    }
}

TEST(GameStateMusic, IntroStoppedOnPurposeOrPausedDoesNotHandOver)
{
    ScriptedDeck deck;
    MusicUpkeep music;
    music.startTrack(deck, MUSIC_STAGE01_INTRO, 25.f);
    deck.tracks[MUSIC_STAGE01_INTRO].offset = 59.f;
    music.update(deck, 0.016f);
    music.stopTrack(deck, MUSIC_STAGE01_INTRO);
    music.update(deck, 0.016f);
    EXPECT_FALSE(deck.tracks[MUSIC_STAGE01].playing);

    // After every track was stopped at once, neither.
    music.startTrack(deck, MUSIC_STAGE01_INTRO, 25.f);
    music.update(deck, 0.016f);
    deck.stop(MUSIC_STAGE01_INTRO);
    music.forgetIntros();
    music.update(deck, 0.016f);
    EXPECT_FALSE(deck.tracks[MUSIC_STAGE01].playing);

    music.startTrack(deck, MUSIC_STAGE01_INTRO, 25.f);
    deck.tracks[MUSIC_STAGE01_INTRO].offset = 59.5f;
    music.update(deck, 0.016f);
    deck.tracks[MUSIC_STAGE01_INTRO].playing = false;
    deck.tracks[MUSIC_STAGE01_INTRO].paused = true;
    music.update(deck, 0.016f);
    EXPECT_FALSE(deck.tracks[MUSIC_STAGE01].playing);
}

TEST(GameStateMusic, FadesRunFrom25DownToSilenceAndEnd)
{
    ScriptedDeck deck;
    MusicUpkeep music;
    MusicUpkeep::startFadeOut(deck, MUSIC_STAGE01, 2.f);
    music.update(deck, 1.f);
    EXPECT_TRUE(deck.fadeActive[MUSIC_STAGE01]);
    music.update(deck, 1.1f);
    EXPECT_FLOAT_EQ(deck.tracks[MUSIC_STAGE01].volume, 0.f);
    EXPECT_FALSE(deck.fadeActive[MUSIC_STAGE01]);

    // A fade with no duration goes silent at once instead of dividing by zero.
    MusicUpkeep::startFadeOut(deck, MUSIC_BOSS, 0.f);
    music.update(deck, 0.016f);
    EXPECT_FLOAT_EQ(deck.tracks[MUSIC_BOSS].volume, 0.f);
    EXPECT_FALSE(deck.fadeActive[MUSIC_BOSS]);
}

// Which pad answers for which player, the keyboard and the pad's buttons: the play tests.
TEST(GameStateBindings, TheLeftStickMovesAndTheTriggersSpeedUpOrFire)
{
    testing_support::SyntheticInput in;
    BindingMap map;
    registerPlayBindings(map);
    in.pads.connected[1] = true;
    in.pads.states[1].rightTrigger = 200;
    EXPECT_TRUE(isActionPressed(map, game_action::LASER, 1));
    EXPECT_FALSE(isActionPressed(map, game_action::UP_SPEED, 1));
    in.pads.states[1].rightTrigger = 0;
    in.pads.states[1].leftTrigger = 200;
    EXPECT_TRUE(isActionPressed(map, game_action::UP_SPEED, 1));
    in.pads.states[1].thumbLY = 30000;
    EXPECT_TRUE(isActionPressed(map, game_action::UP, 1));
    EXPECT_FALSE(isActionPressed(map, game_action::DOWN, 1));
}

TEST(GameStateRumble, ALaserPastItsStrengthOrWithBadNumbersGivesSilence)
{
    Player2D ship(0, engine().run, engine().textures);
    ship.laser = std::make_unique<Laser>(LASER_PLAYER1, 2.f, 0.f, engine().textures);
    ship.laser->elapsed = 2.5f; // past its strength: negative, not a wrapped integer
    EXPECT_EQ(rumbleSpeed(ship), 0);
    ship.laser->elapsed = std::nanf("");
    EXPECT_EQ(rumbleSpeed(ship), 0);
    ship.laser->strength = 0.f;
    ship.laser->elapsed = 0.f;
    EXPECT_EQ(rumbleSpeed(ship), 0);
    ship.stopLaser();
}

} // namespace

TEST(GameStateAim, RightStickAimsAndARestingStickKeepsTheLevelsFacing)
{
    testing_support::SyntheticInput in;
    // No pad (a keyboard player): shots go the way the level faces.
    EXPECT_FLOAT_EQ(getStickAngle(0, -90.f), -90.f);
    in.pads.connected[0] = true;
    in.pads.states[0].thumbRX = 3000; // inside the dead zone (9 %)
    EXPECT_FLOAT_EQ(getStickAngle(0, 180.f), 180.f);
    in.pads.states[0].thumbRX = 0;
    in.pads.states[0].thumbRY = 32767; // pushed up
    EXPECT_NEAR(getStickAngle(0, 0.f), -90.f, 0.01f);
    in.pads.states[0].thumbRY = 0;
    in.pads.states[0].thumbRX = -32768; // pushed left
    EXPECT_NEAR(std::fabs(getStickAngle(0, 0.f)), 180.f, 0.01f);
}

namespace {
std::vector<WallMarker> markers(std::initializer_list<std::pair<bool, sf::Vector2f>> items)
{
    std::vector<WallMarker> out;
    for (const auto& item : items)
        out.push_back({item.first, item.second});
    return out;
}
} // namespace

// The scene's objects in file order, projected through the world's camera: a
// record without a mesh stands where its first position is, or at the corner
// of the screen when it has none.
TEST(GameStateWallLines, TheWorldsMarkersAndTheirNeighboursAreProjectedThroughItsCamera)
{
    World3D world;
    Camera camera;
    world.lookThrough(&camera);
    const sf::Vector3f before(-300.f, 200.f, 1000.f), marker(0.f, 200.f, 1000.f);
    SceneObjectRecord light;
    light.positions = {before};
    world.sceneObjects.push_back(std::move(light));
    SceneObjectRecord wall;
    wall.mesh = std::make_unique<Mesh>(std::vector<Triangle>{}, marker, "collisionBot", false);
    wall.mesh->addKind(MeshKind::CollisionBottom);
    world.sceneObjects.push_back(std::move(wall));
    world.sceneObjects.emplace_back(); // neither a mesh nor a position
    ASSERT_GT(projectToScreen(camera, marker).y, 0.f);
    const std::vector<sf::Vector2f> expected = {{0.f, 1080.f}, projectToScreen(camera, before),
                                                projectToScreen(camera, marker), {0.f, 0.f}, {1920.f, 1080.f}};
    EXPECT_EQ(projectCollisionBot(world), expected);
    EXPECT_TRUE(projectCollisionTop(world).empty());
}

TEST(GameStateWallLines, PolylineRunsCornerToCornerThroughVisibleMarkers)
{
    // object 0: not a marker; 1: marker off screen; 2, 3: visible markers; 4: another object.
    const auto objects = markers({{false, {-50.f, 900.f}},
                                  {true, {-10.f, 950.f}},
                                  {true, {400.f, 900.f}},
                                  {true, {1500.f, 880.f}},
                                  {false, {2100.f, 870.f}}});
    const auto line = wallPolyline(objects, WallSide::Bottom);
    const std::vector<sf::Vector2f> expected = {
        {0.f, 1080.f}, {-10.f, 950.f}, {400.f, 900.f}, {1500.f, 880.f}, {2100.f, 870.f}, {1920.f, 1080.f}};
    EXPECT_EQ(line, expected);

    // First visible marker is the first object: no left corner; last one is the last object.
    const auto top = wallPolyline(markers({{true, {100.f, 100.f}}, {true, {900.f, 80.f}}}), WallSide::Top);
    const std::vector<sf::Vector2f> expectedTop = {{100.f, 100.f}, {900.f, 80.f}, {1920.f, 0.f}};
    EXPECT_EQ(top, expectedTop);

    // x = 0 and x = 1921 lie off the screen.
    EXPECT_TRUE(wallPolyline(markers({{true, {0.f, 500.f}}, {true, {1921.f, 500.f}}, {false, {5.f, 5.f}}}),
                             WallSide::Bottom)
                    .empty());
    EXPECT_TRUE(wallPolyline({}, WallSide::Top).empty());

    // The wall closes along the screen's edge: a point behind it is in the wall, one in the open is not.
    const Polygon wall = wallPolygon(line);
    EXPECT_TRUE(polygonIntersectsRect(wall, sf::FloatRect(950.f, 1000.f, 0.f, 0.f)));
    EXPECT_FALSE(polygonIntersectsRect(wall, sf::FloatRect(950.f, 300.f, 0.f, 0.f)));
}
