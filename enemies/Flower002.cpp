#include "enemies/Flower002.h"

const CFlowerBase::Kind CFlower002::kKind = {{{120, 0, 160, 40},
                                              {160, 0, 200, 40},
                                              {200, 0, 240, 40},
                                              {120, 40, 160, 80},
                                              {160, 40, 200, 80},
                                              {200, 40, 240, 80}},
                                             "CBomb001",
                                             -460.0,
                                             700.0,
                                             180.0,
                                             20.0,
                                             45.0,
                                             kAttackRedBurst,
                                             false};

CFlower002::CFlower002(CStage* ownerStage, double px, double py) : CFlowerBase(ownerStage, px, py, kKind) {}
