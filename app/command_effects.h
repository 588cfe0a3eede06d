// What each command of the command table does: the window side of the
// commands, connecting them to the core, the engine and the window.
#pragma once

#include "core.h"

class TAppTarvo;

void ConnectCommandEffects(tarvo::Core& core, TAppTarvo& window);
