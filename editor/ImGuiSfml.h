#pragma once
// Our Dear ImGui platform layer for SFML: feeds window events (mouse, wheel,
// keys, text) to the GUI, starts frames with the window's size and the frame
// time, and renders the GUI into the window through the OpenGL 2 renderer.
// Events are queued and handed over frame by frame in their order, so that a
// press and its release between two frames still make a click or a key tap.
// Copy and paste go through the system clipboard.
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/Window/Event.hpp>

namespace ImGui {
namespace SFML {

// Creates the GUI context (replacing one left by an earlier editor) and the renderer.
void Init(sf::RenderWindow& window, sf::Vector2f displaySize);
// Destroys the context; the layout is saved to "imgui.ini". Safe without Init.
void Shutdown();
bool isInitialised();

void ProcessEvent(const sf::Event& event);
// Whether a key belongs to the game and the editor rather than to the GUI: not
// while the GUI wants the keyboard (a field is being typed into), nor, for a key
// pressed while it did, until that key is released. True without a GUI.
bool isKeyForGame(sf::Keyboard::Key key);
// Starts a GUI frame. A frame that was started but never rendered is closed first.
void Update(sf::RenderWindow& window, sf::Time dt);
// Renders the frame started by Update; without a new frame the last one is drawn
// again. SFML's GL states are reset afterwards, ready for the next drawing.
void Render(sf::RenderWindow& window);

// The mouse as the events left it (position relative to the window, buttons held).
sf::Vector2i mousePosition();
bool isMouseButtonHeld(sf::Mouse::Button button);

// An image button showing a sprite's texture rectangle, identified by `id`.
// A sprite without texture shows as a plain button of the same size.
bool ImageButton(const char* id, const sf::Sprite& sprite, sf::Vector2f size, sf::Color background, sf::Color tint);

} // namespace SFML
} // namespace ImGui
