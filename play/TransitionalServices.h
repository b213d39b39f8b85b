#pragma once
// Transitional: the engine's parts for the play and enemy objects still built
// without them (by gameplay/, bosses/, editor/ and their tests). Goes once every
// builder hands in the parts it holds.
#include "engine/Services.h"

Services transitionalServices();
