#pragma once
// Adds the ground enemies (the fighters, gunner, sprouts, flowers, sculpture, drill, caster,
// walking bomb, hopper, whirlwind, strawberry, note ball, spiny creature and thrower) to the
// stage model's creator table. Called from RegisterEnemyKinds.
void RegisterGroundEnemyKinds();

class IBase;
// The ground enemies that never keep a door shut: the whirlwind and the note ball.
bool IsUncountedGroundEnemy(const IBase* object);
