#include "play/TransitionalServices.h"

#include "engine/Engine.h"

Services transitionalServices() { return servicesOf(engine()); }
