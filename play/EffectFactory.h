#pragma once
// The one effect factory, as play sees it: gimmicks fills it in at start; until then nothing is made.
class CStage;
using EffectFactoryFn = void (*)(int kind, double x, double y, CStage* ownerStage);
void SetEffectFactory(EffectFactoryFn fn);
void CreateEffect(int kind, double x, double y, CStage* ownerStage);
