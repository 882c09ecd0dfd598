#include "play/EffectFactory.h"

namespace {
EffectFactoryFn g_effectFactory = nullptr;
}  // namespace

void SetEffectFactory(EffectFactoryFn fn) { g_effectFactory = fn; }

void CreateEffect(int kind, double x, double y, CStage* ownerStage) {
    if (g_effectFactory) g_effectFactory(kind, x, y, ownerStage);
}
