#pragma once
// The bosses' one registration entry: the stick-man bosses, the test bosses, the last boss and the
// shots and machines they (and the rock weather) make by name go into play's creator table. None
// is preloaded: a stage makes them only during play. The game calls it once at start.
void RegisterBossKinds();
