#pragma once
// One spawner of the edited sequence as the editor holds it, and the rules that
// give a freshly placed spawner its position, direction, count and delay.
#include "enemies/LevelFiles.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>
#include <string>

// The record as the file holds it (its name is the list button's id), and its tint.
struct SpawnerRecord : SequenceRecord {
    sf::Color colour = sf::Color::Black; // tint of the record's button in the spawner list
};

// The colours a record's list button takes.
namespace record_colour {
const sf::Color SELECTED_AFTER_LOAD = sf::Color::Red;
const sf::Color SELECTED_IN_LIST(255, 100, 100, 255);
const sf::Color PLAIN = sf::Color::White;
} // namespace record_colour

SequenceRecord toSequenceRecord(const SpawnerRecord& record);
SpawnerRecord fromSequenceRecord(const SequenceRecord& record);

// The direction (file convention: counter-clockwise, y up) that points from
// (x, y) at the screen centre (960, 540).
float directionToCentre(float x, float y);

// Sets the spawn time, position and direction of a record whose pattern is set:
// formations stand on the formation point with the formation direction, aimed
// kinds on the spawn point with the aim direction, the others on the spawn point
// with the default direction.
void applyPatternPlacement(SpawnerRecord& record, sf::Vector2f formationPoint, sf::Vector2f spawnPoint,
                           float formationDirection, float aimDirection, float defaultDirection, float spawnTime);
// The count and delay a new spawner of its pattern starts with.
void applyPatternDefaults(SpawnerRecord& record);

// The placement of a new spawner along the scroll axis of a sequence: the point
// where its enemies enter, the formation point, the default direction and the
// spawn time. Which argument is the cross-axis coordinate depends on the direction.
struct ScrollPlacement {
    sf::Vector2f spawnPoint;
    sf::Vector2f formationPoint;
    float defaultDirection = 0.f;
};
// crossAxis: x in vertical scrolling, y in horizontal scrolling.
ScrollPlacement scrollPlacement(int scrollDirection, float crossAxis);
// Fills a record of a chosen pattern from a placement and a spawn time (aimed
// kinds point at the screen centre from the spawn point).
void placeRecord(SpawnerRecord& record, const ScrollPlacement& placement, float spawnTime);
