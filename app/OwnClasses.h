#pragma once
#include "soui/SApplication.h"

// Registers the program's own controls and skin with the framework's object
// factory under their layout tags, in start-up order.
void RegisterOwnClasses(SOUI::SApplication& app);
