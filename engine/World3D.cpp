#include "engine/World3D.h"

#include <algorithm>

void World3D::enterScene(int id)
{
    purgeAfterRelease_ = true;
    light_.resetBrightness();
    sceneId_ = id;
    boss3D_ = nullptr;
}

void World3D::finishLoading(float startSeconds)
{
    sceneLoaded_ = true;
    cameraPath_.startAt(startSeconds);
    sceneLoading_ = false;
}

void World3D::installPlayer(std::unique_ptr<Player> newPlayer)
{
    if (player_)
        entities.erase(std::remove(entities.begin(), entities.end(), player_.get()), entities.end());
    player_ = std::move(newPlayer);
    camera_ = player_ ? &player_->camera : nullptr;
    if (player_)
        entities.push_back(player_.get());
}

void World3D::placePlayer3D(const sf::Vector3f& position)
{
    if (player_)
        player_->position = position;
}

void World3D::turnCamera(const sf::Vector3f& rotation)
{
    if (camera_)
        camera_->rotation = rotation;
}

void World3D::poseCamera(const sf::Vector3f& position, const sf::Vector3f& rotation)
{
    placePlayer3D(position);
    if (camera_) {
        camera_->position = position;
        camera_->rotation = rotation;
    }
}
