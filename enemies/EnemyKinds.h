#pragma once
// Fills the stage model's creator table with the live enemy classes and tells the registry which
// objects the doors that wait for a cleared area count as enemies. The game calls it once at start.
void RegisterEnemyKinds();
