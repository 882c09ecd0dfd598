#pragma once
// The gimmicks' one registration entry: every live class of this layer (doors, warps, the goal,
// items, weather particles, stage events, switches, lifts, blocks and hazards) goes into play's
// creator table, with the argument sets the loading scene preloads it with. The game calls it
// once at start.
void RegisterGimmickKinds();
