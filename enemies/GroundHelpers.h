#pragma once
// Small pieces several ground enemies share.
#include "play/Base.h"

// The contact of the enemies that throw whoever touches them up and away (45 degrees up, to the
// side the other's centre lies; straight above counts as the left): an attack of the given
// damage, power and flag, with the spark and sound of that flag when it hurt or destroyed.
// Nothing but 6 from a dead thrower.
int ThrowUpAndAway(IBase* self, IBase* other, int damage, double power, int flag);
