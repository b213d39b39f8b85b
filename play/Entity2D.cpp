#include "play/Entity2D.h"

void Entity2D::updateShootPoints() {}

void Entity2D::setShootPointCount(int n)
{
    shootPointCount = n > 0 ? n : 0;
    shootPoints.assign(static_cast<size_t>(shootPointCount), ShootPoint{});
}

