#pragma once
// Registers the live classes of doors, warp points, the goal, items, weather particles and stage
// events with the stage model's creator table, by class name. Weather particles take
// (velocity x, velocity y) after the position, so the play scene makes them by name as well.
void RegisterPassageAndPickupKinds();
