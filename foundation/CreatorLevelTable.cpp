#include "foundation/CreatorLevelTable.h"

#include <cmath>

#include "foundation/FrameTime.h"

namespace {

int g_thresholds[CCreatorLevelTable::kLevelCount];
double g_ticks = 0.0;

int StepForIndex(int i) {
    if (i <= 2) return 30;
    if (i <= 5) return 35;
    if (i <= 9) return 40;
    if (i <= 14) return 60;
    if (i <= 19) return 80;
    if (i <= 24) return 100;
    if (i <= 29) return 120;
    if (i <= 39) return 140;
    if (i <= 49) return 160;
    return 180;
}

}  // namespace

CCreatorLevelTable::CCreatorLevelTable() { Init(); }

void CCreatorLevelTable::Init() {
    g_ticks = 0.0;
    g_thresholds[0] = 30;
    for (int i = 1; i < kLevelCount; ++i) g_thresholds[i] = g_thresholds[i - 1] + StepForIndex(i);
}

int CCreatorLevelTable::GetLevel(int points) const {
    for (int i = 0; i < kLevelCount; ++i) {
        if (points < g_thresholds[i]) return i + 1;
    }
    return kLevelCount;
}

int CCreatorLevelTable::GetCreatorPointGain(int points) const {
    return static_cast<int>(std::trunc(points * 0.3));
}

void CCreatorLevelTable::AdvanceTicks() { g_ticks += static_cast<double>(GetFrameTime()) * 60.0; }

double CCreatorLevelTable::GetTicks() const { return g_ticks; }

int CCreatorLevelTable::GetThreshold(int index) const {
    if (index < 0 || index >= kLevelCount) return 0;
    return g_thresholds[index];
}
