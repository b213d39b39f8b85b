#pragma once
// The floor of a frame: what the game hands to GL in one frame (the triangles
// of every draw call with their texture, blending and render target), recorded,
// then drawn again each frame by plain SFML, one vertex array per render
// target, texture and blending, with no game code and no shader. Also where
// the pixels go: the area each draw covers on its target.
#include <SFML/Graphics.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Where a draw went: the window or a render texture (a framebuffer of a context).
struct RecordedTarget {
    const void* context = nullptr;
    int framebuffer = 0; // 0: the window
    unsigned width = 0, height = 0;
    int samples = 0;
    unsigned colourTexture = 0; // the GL texture a render texture draws into
    int clears = 0;
};

// One draw call as triangles: positions in the target's pixels (y downward),
// texture coordinates normalised as the driver samples them (0 to 1 over the
// texture's rows in memory).
struct RecordedDraw {
    size_t target = 0;
    unsigned texture = 0; // GL name, 0: untextured
    unsigned program = 0; // GL name, 0: none
    sf::BlendMode blending;
    int phase = 0; // what the frame was doing (FramePhase)
    std::vector<sf::Vertex> vertices;
    double pixels = 0; // area covered on the target, overlaps counted (clipped to it)
};

// A texture as it was when the frame was recorded.
struct RecordedTexture {
    unsigned width = 0, height = 0;
    bool smooth = false, repeated = false;
    std::vector<sf::Uint8> pixels; // RGBA rows as the driver stores them
};

struct RecordedFrame {
    std::vector<RecordedTarget> targets;
    std::vector<RecordedDraw> draws;
    std::map<unsigned, RecordedTexture> textures; // by GL name: the ones drawn with, not drawn into
    int skippedDraws = 0; // lines, points, buffer-held vertices: not replayed
};

// The part of a game frame a draw comes from (set by whoever runs the frame).
namespace frame_phase {
enum : int { UPDATE = 0, WORLD, STATE_DRAW, COUNT };
extern const char* const NAMES[COUNT];
} // namespace frame_phase

// Records the draws the main thread makes between start and stop.
namespace frame_recorder {
void start(sf::Vector2u windowSize);
void setPhase(int phase);
RecordedFrame stop();
} // namespace frame_recorder

// Screen area of triangles (three vertices each) clipped to width x height.
double coveredPixels(const std::vector<sf::Vertex>& triangles, unsigned width, unsigned height);

// A recorded frame made ready to draw again in `window`: its render textures
// and texture copies are made once and reused by later frames of the same scene.
class FrameReplay {
public:
    explicit FrameReplay(sf::RenderWindow& window);
    // Takes the frame to draw (new textures copied, render textures made).
    void prepare(const RecordedFrame& frame);
    // One frame: each render texture, then the window, cleared, drawn and displayed.
    void drawFrame();
    size_t drawCallsPerFrame() const;

private:
    struct Group {
        size_t target;
        const sf::Texture* texture;
        sf::BlendMode blending;
        sf::VertexArray triangles{sf::Triangles};
    };
    // What a recorded texture is drawn with here: a copy, or the render texture
    // drawn into this frame (whose rows SFML keeps bottom up).
    struct Source {
        const sf::Texture* texture = nullptr;
        bool flipped = false;
    };
    Source sourceFor(unsigned glTexture) const;
    void copyTextures(const RecordedFrame& frame);

    sf::RenderWindow& window_;
    std::map<unsigned, std::unique_ptr<sf::Texture>> copies_;
    std::vector<std::unique_ptr<sf::RenderTexture>> renderTextures_; // per target; null for the window
    std::vector<RecordedTarget> targets_;
    std::vector<Group> groups_;
};
