#include "screens/MenuServices.h"

#include "engine/Engine.h"

MenuServices engineMenuServices() { return menuServicesOf(servicesOf(engine())); }
