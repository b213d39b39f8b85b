#include "editor/ImGuiSfml.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Clipboard.hpp>
#include <imgui.h>
#include <backends/imgui_impl_opengl2.h>

#include <bitset>
#include <cfloat>
#include <deque>
#include <string>

namespace {

// One input change from a window event, waiting for the GUI frame that takes it.
struct InputChange {
    enum Kind { Move, Button, Key, Character, Wheel, Leave };
    Kind kind = Move;
    int code = 0; // button, key or character
    bool down = false;
    sf::Vector2i position;
    float wheel = 0.f;
    bool horizontal = false;
};

// What one GUI frame has taken so far: a second change of the same button or
// key, or one that would reorder text and keys, waits for the next frame.
struct FrameIntake {
    std::bitset<sf::Mouse::ButtonCount> buttons;
    std::bitset<sf::Keyboard::KeyCount> keys;
    bool anyKey = false, text = false, wheel = false;
    bool anyButton() const { return buttons.any(); }
};

struct MouseState {
    sf::Vector2i position;
    bool inside = false;
    bool held[sf::Mouse::ButtonCount] = {};
};

MouseState mouse;          // as the events left it, for the editor's own mouse handling
std::deque<InputChange> pending;
sf::Vector2i guiMouse;     // where the GUI sees the mouse
bool guiMouseInside = false;
std::bitset<sf::Keyboard::KeyCount> keysHeld;
std::bitset<sf::Keyboard::KeyCount> keysInGui; // keys pressed while the GUI wanted the keyboard, until released
std::string clipboardText; // keeps the text handed to the GUI alive
bool frameOpen = false;
bool rendererReady = false;

// Keys that GUI widgets read, mapped to SFML key codes (KeysDown is indexed by them).
void mapKeys(ImGuiIO& io)
{
    io.KeyMap[ImGuiKey_Tab] = sf::Keyboard::Tab;
    io.KeyMap[ImGuiKey_LeftArrow] = sf::Keyboard::Left;
    io.KeyMap[ImGuiKey_RightArrow] = sf::Keyboard::Right;
    io.KeyMap[ImGuiKey_UpArrow] = sf::Keyboard::Up;
    io.KeyMap[ImGuiKey_DownArrow] = sf::Keyboard::Down;
    io.KeyMap[ImGuiKey_PageUp] = sf::Keyboard::PageUp;
    io.KeyMap[ImGuiKey_PageDown] = sf::Keyboard::PageDown;
    io.KeyMap[ImGuiKey_Home] = sf::Keyboard::Home;
    io.KeyMap[ImGuiKey_End] = sf::Keyboard::End;
    io.KeyMap[ImGuiKey_Insert] = sf::Keyboard::Insert;
    io.KeyMap[ImGuiKey_Delete] = sf::Keyboard::Delete;
    io.KeyMap[ImGuiKey_Backspace] = sf::Keyboard::BackSpace;
    io.KeyMap[ImGuiKey_Space] = sf::Keyboard::Space;
    io.KeyMap[ImGuiKey_Enter] = sf::Keyboard::Enter;
    io.KeyMap[ImGuiKey_Escape] = sf::Keyboard::Escape;
    io.KeyMap[ImGuiKey_KeyPadEnter] = sf::Keyboard::Return;
    io.KeyMap[ImGuiKey_A] = sf::Keyboard::A;
    io.KeyMap[ImGuiKey_C] = sf::Keyboard::C;
    io.KeyMap[ImGuiKey_V] = sf::Keyboard::V;
    io.KeyMap[ImGuiKey_X] = sf::Keyboard::X;
    io.KeyMap[ImGuiKey_Y] = sf::Keyboard::Y;
    io.KeyMap[ImGuiKey_Z] = sf::Keyboard::Z;
}

// The system clipboard, so that text travels between the editor and other programs.
const char* readClipboard(void*)
{
    const std::basic_string<sf::Uint8> utf8 = sf::Clipboard::getString().toUtf8();
    clipboardText.assign(utf8.begin(), utf8.end());
    return clipboardText.c_str();
}

void writeClipboard(void*, const char* text)
{
    const std::string utf8 = text ? text : "";
    sf::Clipboard::setString(sf::String::fromUtf8(utf8.begin(), utf8.end()));
}

bool validKey(int key) { return key >= 0 && key < sf::Keyboard::KeyCount; }
bool validButton(int button) { return button >= 0 && button < sf::Mouse::ButtonCount; }

// Whether a change still fits in the frame being filled (the rules keep a click
// at the place it was made and text in order with the editing keys).
bool fitsInFrame(const InputChange& c, const FrameIntake& taken)
{
    switch (c.kind) {
    case InputChange::Move:
    case InputChange::Leave: return !taken.anyButton() && !taken.wheel && !taken.anyKey && !taken.text;
    case InputChange::Button: return !taken.buttons[c.code] && !taken.wheel;
    case InputChange::Wheel: return !taken.anyButton();
    case InputChange::Key: return !taken.keys[c.code] && !taken.text && !taken.anyButton();
    case InputChange::Character: return !taken.anyKey && !taken.anyButton() && !taken.wheel;
    }
    return true;
}

void take(const InputChange& c, ImGuiIO& io, FrameIntake& taken)
{
    switch (c.kind) {
    case InputChange::Move:
        guiMouse = c.position;
        guiMouseInside = true;
        break;
    case InputChange::Leave: guiMouseInside = false; break;
    case InputChange::Button:
        guiMouse = c.position;
        guiMouseInside = true;
        if (c.code < static_cast<int>(IM_ARRAYSIZE(io.MouseDown)))
            io.MouseDown[c.code] = c.down;
        taken.buttons[c.code] = true;
        break;
    case InputChange::Wheel:
        (c.horizontal ? io.MouseWheelH : io.MouseWheel) += c.wheel;
        taken.wheel = true;
        break;
    case InputChange::Key:
        io.KeysDown[c.code] = c.down;
        taken.keys[c.code] = true;
        taken.anyKey = true;
        break;
    case InputChange::Character:
        io.AddInputCharacter(static_cast<unsigned>(c.code));
        taken.text = true;
        break;
    }
}

// Hands the GUI the changes waiting since the last frame, in order, as far as
// they fit: a press always lasts at least one frame and its release comes after.
void deliverPendingInput(ImGuiIO& io)
{
    FrameIntake taken;
    while (!pending.empty() && fitsInFrame(pending.front(), taken)) {
        take(pending.front(), io, taken);
        pending.pop_front();
    }
    io.KeyCtrl = io.KeysDown[sf::Keyboard::LControl] || io.KeysDown[sf::Keyboard::RControl];
    io.KeyShift = io.KeysDown[sf::Keyboard::LShift] || io.KeysDown[sf::Keyboard::RShift];
    io.KeyAlt = io.KeysDown[sf::Keyboard::LAlt] || io.KeysDown[sf::Keyboard::RAlt];
    io.KeySuper = io.KeysDown[sf::Keyboard::LSystem] || io.KeysDown[sf::Keyboard::RSystem];
    io.MousePos = guiMouseInside ? ImVec2(static_cast<float>(guiMouse.x), static_cast<float>(guiMouse.y))
                                 : ImVec2(-FLT_MAX, -FLT_MAX);
}

void releaseEverything(ImGuiIO& io)
{
    pending.clear();
    for (bool& k : io.KeysDown)
        k = false;
    for (bool& b : io.MouseDown)
        b = false;
    for (bool& b : mouse.held)
        b = false;
    keysHeld.reset();
    keysInGui.reset();
    io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
}

void queueKey(const sf::Event::KeyEvent& key, bool down, const ImGuiIO& io)
{
    if (!validKey(key.code))
        return;
    // A key held down repeats its press: it stays with whoever had its first one.
    if (!down || !keysHeld[key.code])
        keysInGui[key.code] = down && io.WantCaptureKeyboard;
    keysHeld[key.code] = down;
    InputChange c;
    c.kind = InputChange::Key;
    c.code = key.code;
    c.down = down;
    pending.push_back(c);
}

void queueButton(const sf::Event::MouseButtonEvent& button, bool down)
{
    mouse.position = {button.x, button.y};
    mouse.inside = true;
    if (!validButton(button.button))
        return;
    mouse.held[button.button] = down;
    InputChange c;
    c.kind = InputChange::Button;
    c.code = button.button;
    c.down = down;
    c.position = mouse.position;
    pending.push_back(c);
}

void queueMove(sf::Vector2i position)
{
    mouse.position = position;
    mouse.inside = true;
    InputChange c;
    c.kind = InputChange::Move;
    c.position = position;
    pending.push_back(c);
}

void queueWheel(const sf::Event::MouseWheelScrollEvent& wheel)
{
    InputChange c;
    c.kind = InputChange::Wheel;
    c.wheel = wheel.delta;
    c.horizontal = wheel.wheel != sf::Mouse::VerticalWheel;
    pending.push_back(c);
}

void queueCharacter(sf::Uint32 unicode)
{
    // Control characters are keys, not text.
    if (unicode < 32 || unicode == 127)
        return;
    InputChange c;
    c.kind = InputChange::Character;
    c.code = static_cast<int>(unicode);
    pending.push_back(c);
}

} // namespace

namespace ImGui {
namespace SFML {

void Init(sf::RenderWindow& window, sf::Vector2f displaySize)
{
    Shutdown();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(displaySize.x, displaySize.y);
    io.BackendPlatformName = "orbyndel_sfml";
    io.GetClipboardTextFn = readClipboard;
    io.SetClipboardTextFn = writeClipboard;
    mapKeys(io);
    (void)window.setActive(true);
    rendererReady = ImGui_ImplOpenGL2_Init();
    mouse = MouseState{};
    pending.clear();
    guiMouseInside = false;
    keysHeld.reset();
    keysInGui.reset();
    frameOpen = false;
}

void Shutdown()
{
    if (!ImGui::GetCurrentContext())
        return;
    if (frameOpen)
        ImGui::EndFrame();
    if (rendererReady)
        ImGui_ImplOpenGL2_Shutdown();
    ImGui::DestroyContext();
    rendererReady = false;
    frameOpen = false;
    pending.clear();
    keysHeld.reset();
    keysInGui.reset();
}

bool isInitialised() { return ImGui::GetCurrentContext() != nullptr; }

void ProcessEvent(const sf::Event& event)
{
    if (!isInitialised())
        return;
    ImGuiIO& io = ImGui::GetIO();
    switch (event.type) {
    case sf::Event::MouseMoved: queueMove({event.mouseMove.x, event.mouseMove.y}); break;
    case sf::Event::MouseButtonPressed: queueButton(event.mouseButton, true); break;
    case sf::Event::MouseButtonReleased: queueButton(event.mouseButton, false); break;
    case sf::Event::MouseWheelScrolled: queueWheel(event.mouseWheelScroll); break;
    case sf::Event::MouseLeft: {
        mouse.inside = false;
        InputChange left;
        left.kind = InputChange::Leave;
        pending.push_back(left);
        break;
    }
    case sf::Event::MouseEntered: mouse.inside = true; break;
    case sf::Event::KeyPressed: queueKey(event.key, true, io); break;
    case sf::Event::KeyReleased: queueKey(event.key, false, io); break;
    case sf::Event::TextEntered: queueCharacter(event.text.unicode); break;
    case sf::Event::LostFocus: releaseEverything(io); break;
    default: break;
    }
}

bool isKeyForGame(sf::Keyboard::Key key)
{
    if (!isInitialised())
        return true;
    if (ImGui::GetIO().WantCaptureKeyboard)
        return false;
    return !validKey(key) || !keysInGui[key];
}

void Update(sf::RenderWindow& window, sf::Time dt)
{
    if (!isInitialised())
        return;
    if (frameOpen)
        ImGui::EndFrame();
    ImGuiIO& io = ImGui::GetIO();
    const sf::Vector2u size = window.getSize();
    io.DisplaySize = ImVec2(static_cast<float>(size.x), static_cast<float>(size.y));
    const float seconds = dt.asSeconds();
    io.DeltaTime = seconds > 0.f ? seconds : 1.f / 1000.f; // the GUI needs time to pass
    deliverPendingInput(io);
    (void)window.setActive(true);
    if (rendererReady)
        ImGui_ImplOpenGL2_NewFrame();
    ImGui::NewFrame();
    frameOpen = true;
}

void Render(sf::RenderWindow& window)
{
    if (!isInitialised())
        return;
    if (frameOpen) {
        ImGui::Render();
        frameOpen = false;
    }
    ImDrawData* data = ImGui::GetDrawData();
    if (!data || !rendererReady)
        return;
    (void)window.setActive(true);
    window.pushGLStates();
    ImGui_ImplOpenGL2_RenderDrawData(data);
    window.popGLStates();
    // The restored GL state is whatever the last drawing before the GUI left
    // (its texture, its blending); SFML's record of it would be stale.
    window.resetGLStates();
}

sf::Vector2i mousePosition() { return mouse.position; }

bool isMouseButtonHeld(sf::Mouse::Button button)
{
    return button >= 0 && button < sf::Mouse::ButtonCount && mouse.held[button];
}

bool ImageButton(const char* id, const sf::Sprite& sprite, sf::Vector2f size, sf::Color background, sf::Color tint)
{
    const auto colour = [](sf::Color c) { return ImVec4(c.r / 255.f, c.g / 255.f, c.b / 255.f, c.a / 255.f); };
    ImGui::PushID(id);
    bool clicked = false;
    const sf::Texture* texture = sprite.getTexture();
    if (texture && texture->getSize().x > 0 && texture->getSize().y > 0) {
        const sf::IntRect rect = sprite.getTextureRect();
        const float w = static_cast<float>(texture->getSize().x), h = static_cast<float>(texture->getSize().y);
        const ImVec2 uv0(rect.left / w, rect.top / h);
        const ImVec2 uv1((rect.left + rect.width) / w, (rect.top + rect.height) / h);
        const ImTextureID handle = reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(texture->getNativeHandle()));
        clicked = ImGui::ImageButton(handle, ImVec2(size.x, size.y), uv0, uv1, -1, colour(background), colour(tint));
    } else {
        clicked = ImGui::Button("##noimage", ImVec2(size.x, size.y));
    }
    ImGui::PopID();
    return clicked;
}

} // namespace SFML
} // namespace ImGui
