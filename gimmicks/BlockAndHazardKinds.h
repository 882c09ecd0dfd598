#pragma once
// Registers the live classes of the blocks, batteries, burners, iron ball, bombs, air gears and
// devil house with the live-object factory, so that their placed records can make them.
void RegisterBlockAndHazardKinds();
