#pragma once
// Fills in the shell's seams with the game's own singletons and scenes: the scenario save data,
// the shop item table, the network accessor, the object relation table, the sprite batch, the
// attack-parameter table, and the top menu, title and loading scenes.
void InstallGameHooks();
