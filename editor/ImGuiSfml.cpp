#include "editor/ImGuiSfml.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <imgui.h>
#include <backends/imgui_impl_opengl2.h>

#include <cfloat>

namespace {

struct MouseState {
    sf::Vector2i position;
    bool inside = false;
    bool held[sf::Mouse::ButtonCount] = {};
};

MouseState mouse;
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

void setKey(ImGuiIO& io, const sf::Event::KeyEvent& key, bool down)
{
    if (key.code >= 0 && key.code < static_cast<int>(IM_ARRAYSIZE(io.KeysDown)))
        io.KeysDown[key.code] = down;
    io.KeyCtrl = key.control;
    io.KeyShift = key.shift;
    io.KeyAlt = key.alt;
    io.KeySuper = key.system;
}

void releaseEverything(ImGuiIO& io)
{
    for (bool& k : io.KeysDown)
        k = false;
    for (bool& b : io.MouseDown)
        b = false;
    for (bool& b : mouse.held)
        b = false;
    io.KeyCtrl = io.KeyShift = io.KeyAlt = io.KeySuper = false;
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
    mapKeys(io);
    (void)window.setActive(true);
    rendererReady = ImGui_ImplOpenGL2_Init();
    mouse = MouseState{};
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
}

bool isInitialised() { return ImGui::GetCurrentContext() != nullptr; }

void ProcessEvent(const sf::Event& event)
{
    if (!isInitialised())
        return;
    ImGuiIO& io = ImGui::GetIO();
    switch (event.type) {
    case sf::Event::MouseMoved:
        mouse.position = {event.mouseMove.x, event.mouseMove.y};
        mouse.inside = true;
        break;
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased: {
        const bool down = event.type == sf::Event::MouseButtonPressed;
        mouse.position = {event.mouseButton.x, event.mouseButton.y};
        mouse.inside = true;
        const int b = event.mouseButton.button;
        if (b >= 0 && b < sf::Mouse::ButtonCount)
            mouse.held[b] = down;
        if (b >= 0 && b < static_cast<int>(IM_ARRAYSIZE(io.MouseDown)))
            io.MouseDown[b] = down;
        break;
    }
    case sf::Event::MouseWheelScrolled:
        if (event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel)
            io.MouseWheel += event.mouseWheelScroll.delta;
        else
            io.MouseWheelH += event.mouseWheelScroll.delta;
        break;
    case sf::Event::MouseLeft: mouse.inside = false; break;
    case sf::Event::MouseEntered: mouse.inside = true; break;
    case sf::Event::KeyPressed: setKey(io, event.key, true); break;
    case sf::Event::KeyReleased: setKey(io, event.key, false); break;
    case sf::Event::TextEntered:
        // Control characters are keys, not text.
        if (event.text.unicode >= 32 && event.text.unicode != 127)
            io.AddInputCharacter(event.text.unicode);
        break;
    case sf::Event::LostFocus: releaseEverything(io); break;
    default: break;
    }
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
    io.MousePos = mouse.inside ? ImVec2(static_cast<float>(mouse.position.x), static_cast<float>(mouse.position.y))
                               : ImVec2(-FLT_MAX, -FLT_MAX);
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
