#pragma once
// Fills the stage model's creator table with the live enemy classes and the bomb that the play
// scene drops in the bomb weather, and tells the registry which objects count as enemies for the
// doors that wait for a cleared area. The game calls it once at start.
void RegisterEnemyKinds();
