#pragma once
// Fills the creator table with the last boss's live class, which the stage's placed record makes.
void RegisterLastBossKinds();
