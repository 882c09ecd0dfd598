#pragma once
// Fills the stage model's creator table with the boss shots that other layers make by name: the
// falling rock that the play scene drops in the rock weather. The game calls it once at start.
void RegisterBossShotKinds();
