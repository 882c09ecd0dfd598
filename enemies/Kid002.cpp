#include "enemies/Kid002.h"

const KidTuning CKid002::kTuning = {
    {{128, 0, 192, 64},
     {128, 64, 192, 128},
     {128, 128, 192, 192},
     {128, 192, 192, 256},
     {192, 0, 256, 64},
     {192, 64, 256, 128},
     {192, 128, 256, 192},
     {192, 192, 256, 256}},
    110.0,
    25.0,
    150.0,
    45.0,
    45.0,
    75.0,
    350.0,
    990.0,
    55.0,
    42.0,
    38.0,
    6.0,
    false,
    80.0,
    52.0,
    10.0,
    0.0,
    8.0,
};

CKid002::CKid002(CStage* ownerStage, double px, double py, int facingIn)
    : CKidBase(ownerStage, px, py, facingIn, kTuning) {}
