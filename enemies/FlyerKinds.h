#pragma once
// Fills the creator table with the flyers, the fish and the controllers that release them.
void RegisterFlyerEnemyKinds();
