#include "enemies/Kid001.h"

const KidTuning CKid001::kTuning = {
    {{0, 0, 32, 40},
     {0, 40, 32, 80},
     {0, 80, 32, 120},
     {0, 120, 32, 160},
     {0, 160, 32, 200},
     {0, 200, 32, 240},
     {32, 160, 72, 200},
     {32, 200, 72, 240}},
    80.0,
    30.0,
    180.0,
    60.0,
    25.0,
    90.0,
    225.0,
    700.0,
    40.0,
    38.0,
    20.0,
    4.0,
    true,
    60.0,
    36.0,
    0.0,
    4.0,
    4.0,
};

CKid001::CKid001(CStage* ownerStage, double px, double py, int facingIn)
    : CKidBase(ownerStage, px, py, facingIn, kTuning) {}
