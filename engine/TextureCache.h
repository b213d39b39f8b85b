#pragma once
// Every texture of the program is loaded once through this cache, by path.
// The main thread and the scene preload worker use it at the same time: every
// access is serialised.
#include <SFML/Graphics/Texture.hpp>
#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Who asked for a texture. Scene textures (meshes, scene files) are dropped by
// the purge once no live mesh uses them; those the preload loads for the next
// scene are kept until the next preload starts; shared ones (sprites, fonts'
// pictures, menus) are never purged, since their users keep pointers: only
// `release` drops them, once their users are gone.
enum class TextureUse { Shared, Scene, NextScene };

// The kinds of texture a mesh's drawing shader samples; a missing one is
// replaced by a 1 x 1 neutral texture of its kind.
enum class TextureSlot { Base, Normal, Roughness, Emissive, Noise, Count };

class TextureCache {
public:
    TextureCache() = default;
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    // Get-or-load a texture by path; null when the file does not load (tried again next call).
    // A texture the game needs: one that is missing or broken is reported on the error stream,
    // once per path.
    sf::Texture* getTexture(const std::string& path, TextureUse use = TextureUse::Shared);
    // The same for a texture that may be absent (a model's extra maps): a quiet null.
    sf::Texture* getOptionalTexture(const std::string& path, TextureUse use);
    // The needed textures reported missing or broken so far, by path.
    std::vector<std::string> missingTextures();
    // Drops the scene textures that are not in `inUse` (keeps names containing
    // "space" and those loaded for the next scene).
    void purgeExcept(const std::vector<const sf::Texture*>& inUse);
    // Drops the textures of these paths, shared ones too: for the textures of a
    // part of the game that is gone, whose users went with it.
    void release(const std::vector<std::string>& paths);
    // Forgets what the last preload did: the textures it loaded for the next
    // scene become ordinary scene textures, and scene files found missing
    // (absent maps of a model) are looked for again.
    void forgetLastPreload();
    // Number of entries (null ones included).
    size_t size();
    bool hasEntry(const std::string& path);
    // The 1 x 1 texture drawn where a mesh has no texture of that kind, and its colour.
    const sf::Texture& neutralTexture(TextureSlot slot);
    static sf::Color neutralColour(TextureSlot slot);
    // Whether every pixel of a texture of this cache is fully opaque (found
    // when it was loaded): what is drawn with it hides what lies behind.
    bool isOpaque(const sf::Texture* texture);

private:
    std::mutex mutex_;
    std::unordered_map<std::string, std::unique_ptr<sf::Texture>> cache_;
    // Per key: true while every request for it was a scene request.
    std::unordered_map<std::string, bool> purgeable_;
    std::unordered_set<std::string> reportedMissing_;
    std::unordered_set<std::string> preloaded_; // loaded for the next scene
    // Scene textures found missing since the last preload started: a model's
    // absent maps are asked for by every copy of it in a scene.
    std::unordered_set<std::string> missingSceneFiles_;
    std::unordered_set<const sf::Texture*> opaque_; // loaded textures without a see-through pixel
    // Drops the entry of `path` (mutex_ held).
    void eraseEntry(const std::string& path);
    // Records who asked for `path` (mutex_ held).
    void noteTextureUse(const std::string& path, TextureUse use);
    // Says once per path that a needed texture is missing or broken (mutex_ held).
    void reportMissing(const std::string& path, const std::string& file, bool exists);
    std::array<std::unique_ptr<sf::Texture>, static_cast<size_t>(TextureSlot::Count)> neutralTextures_;

    sf::Texture* loadTexture(const std::string& path, TextureUse use, bool required);
};
