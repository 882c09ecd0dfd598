#pragma once
// Fills the stage model's creator table with the stick-man bosses and the test bosses that the
// placed boss records ask for. The game calls it once at start.
void RegisterStickManBossKinds();
