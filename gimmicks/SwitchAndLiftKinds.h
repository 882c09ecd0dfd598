#pragma once
// Registers the live classes of the switches and lifts with the stage model's live-object
// factory, so that placed records of those kinds create them. The game calls it once at start.
void RegisterSwitchAndLiftKinds();
