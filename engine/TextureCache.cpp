#include "engine/TextureCache.h"

#include "platform/AssetPath.h"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <iostream>
#include <unordered_set>

namespace {
// Neutral colours per texture kind: white base, flat normal, mid roughness,
// no emission, mid noise.
const sf::Color NEUTRAL_COLOURS[static_cast<size_t>(TextureSlot::Count)] = {
    sf::Color(255, 255, 255), sf::Color(128, 128, 255), sf::Color(128, 128, 128), sf::Color(0, 0, 0),
    sf::Color(128, 128, 128)};

bool everyPixelOpaque(const sf::Image& image)
{
    const sf::Uint8* pixels = image.getPixelsPtr();
    const size_t count = static_cast<size_t>(image.getSize().x) * image.getSize().y;
    for (size_t i = 0; i < count; ++i)
        if (pixels[4 * i + 3] != 255)
            return false;
    return pixels != nullptr;
}
} // namespace

sf::Texture* TextureCache::getTexture(const std::string& path, TextureUse use) { return loadTexture(path, use, true); }

sf::Texture* TextureCache::getOptionalTexture(const std::string& path, TextureUse use)
{
    return loadTexture(path, use, false);
}

std::vector<std::string> TextureCache::missingTextures()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> paths(reportedMissing_.begin(), reportedMissing_.end());
    std::sort(paths.begin(), paths.end());
    return paths;
}

sf::Texture* TextureCache::loadTexture(const std::string& path, TextureUse use, bool required)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        noteTextureUse(path, use);
        if (sf::Texture* cached = cache_[path].get())
            return cached;
        if (use != TextureUse::Shared && missingSceneFiles_.count(path)) {
            // Found missing by an earlier look (the preload's, say, which tells nothing).
            if (required && !reportedMissing_.count(path))
                reportMissing(path, resolveAssetPath(path), false);
            return nullptr;
        }
    }
    // Decoded outside the lock, so that a thread asking for another texture
    // never waits for this file.
    const std::string file = resolveAssetPath(path);
    const bool exists = assetExists(file);
    std::unique_ptr<sf::Texture> texture = exists ? std::make_unique<sf::Texture>() : nullptr;
    sf::Image image;
    if (texture && !(image.loadFromFile(file) && texture->loadFromImage(image)))
        texture.reset();
    const bool opaque = texture && everyPixelOpaque(image);
    std::lock_guard<std::mutex> lock(mutex_);
    if (!texture) {
        if (!exists && use != TextureUse::Shared)
            missingSceneFiles_.insert(path); // every copy of a model asks for its absent maps
        if (required)
            reportMissing(path, file, exists);
        return nullptr;
    }
    noteTextureUse(path, use); // the purge may have run meanwhile
    std::unique_ptr<sf::Texture>& slot = cache_[path];
    if (!slot) { // another thread may have loaded it meanwhile: the first one stays
        slot = std::move(texture);
        if (opaque)
            opaque_.insert(slot.get());
    }
    return slot.get();
}

void TextureCache::reportMissing(const std::string& path, const std::string& file, bool exists)
{
    if (!path.empty() && reportedMissing_.insert(path).second)
        std::cerr << "Orbyndel: " << file << (exists ? ": texture cannot be read" : ": texture missing") << std::endl;
}

void TextureCache::noteTextureUse(const std::string& path, TextureUse use)
{
    auto purgeable = purgeable_.emplace(path, use != TextureUse::Shared);
    if (use == TextureUse::Shared)
        purgeable.first->second = false;
    if (use == TextureUse::NextScene)
        preloaded_.insert(path);
}

void TextureCache::forgetLastPreload()
{
    std::lock_guard<std::mutex> lock(mutex_);
    preloaded_.clear();
    missingSceneFiles_.clear();
}

void TextureCache::purgeExcept(const std::vector<const sf::Texture*>& inUse)
{
    const std::unordered_set<const sf::Texture*> keep(inUse.begin(), inUse.end());
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = cache_.begin(); it != cache_.end();) {
        sf::Texture* texture = it->second.get();
        const auto purgeable = purgeable_.find(it->first);
        if (texture && purgeable != purgeable_.end() && purgeable->second && !keep.count(texture)
            && !preloaded_.count(it->first) && it->first.find("space") == std::string::npos) {
            purgeable_.erase(purgeable);
            opaque_.erase(texture);
            it = cache_.erase(it);
        } else {
            ++it;
        }
    }
}

void TextureCache::release(const std::vector<std::string>& paths)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const std::string& path : paths)
        eraseEntry(path);
}

void TextureCache::eraseEntry(const std::string& path)
{
    const auto found = cache_.find(path);
    if (found != cache_.end()) {
        opaque_.erase(found->second.get());
        cache_.erase(found);
    }
    purgeable_.erase(path);
}

size_t TextureCache::size()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return cache_.size();
}

bool TextureCache::isOpaque(const sf::Texture* texture)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return texture && opaque_.count(texture) != 0;
}

bool TextureCache::hasEntry(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return cache_.count(path) != 0;
}

sf::Color TextureCache::neutralColour(TextureSlot slot) { return NEUTRAL_COLOURS[static_cast<size_t>(slot)]; }

const sf::Texture& TextureCache::neutralTexture(TextureSlot slot)
{
    std::unique_ptr<sf::Texture>& texture = neutralTextures_[static_cast<size_t>(slot)];
    if (!texture) {
        sf::Image pixel;
        pixel.create(1, 1, neutralColour(slot));
        texture = std::make_unique<sf::Texture>();
        texture->loadFromImage(pixel);
        texture->setRepeated(true);
    }
    return *texture;
}
