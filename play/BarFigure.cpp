#include "play/BarFigure.h"

#include <utility>

#include "engine/SpriteManager.h"

CBarFigure::CBarFigure(bool withHands) {
    if (!withHands) return;
    parts_[kHand1] = CreateSprite("Char", "Boss001_L", 2, 240, 0, 256, 16);
    parts_[kHand2] = CreateSprite("Char", "Boss001_L", 2, 240, 0, 256, 16);
}

CBarFigure::~CBarFigure() = default;

void CBarFigure::SetParts(OwnedSprite body, OwnedSprite bar, OwnedSprite effect) {
    parts_[kBody] = std::move(body);
    parts_[kBar] = std::move(bar);
    parts_[kEffect] = std::move(effect);
}

void CBarFigure::SetPart(int part, OwnedSprite sprite) {
    if (part >= 0 && part < kParts) parts_[part] = std::move(sprite);
}

void CBarFigure::SetPartOffsets(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) {
    offsets_[kBody] = {x0, y0};
    offsets_[kBar] = {x1, y1};
    offsets_[kHand1] = {x2, y2};
    offsets_[kHand2] = {x3, y3};
    offsets_[kEffect] = {0, 0};
}

bool CBarFigure::GetPartPosition(int part, double* x, double* y) const {
    if (part < 0 || part >= kParts || !parts_[part]) return false;
    const auto& o = offsets_[part];
    const auto& b = offsets_[kBody];
    if (o[0] == kHidden || o[1] == kHidden) return false;
    *x = baseX + o[0] + (part == kBody ? 0 : b[0]);
    *y = baseY + o[1] + (part == kBody ? 0 : b[1]);
    return true;
}

void CBarFigure::Draw(double depth, float alpha) {
    const double depths[kParts] = {swapFront ? depth - 0.0001 : depth, swapFront ? depth : depth - 0.0001,
                                   depth - 0.0002, depth - 0.0002, depth - 0.0003};
    for (int i = 0; i < kParts; ++i) {
        double px = 0, py = 0;
        if (!GetPartPosition(i, &px, &py)) continue;
        CSprite* s = parts_[i].get();
        const float kept = s->alpha;
        s->x = static_cast<float>(px / 256.0);
        s->y = static_cast<float>(py / 256.0);
        s->z = static_cast<float>(depths[i]);
        s->SetAlpha(kept * alpha);
        s->ApplyTransform();
        s->Draw();
        s->SetAlpha(kept);
    }
}

// ---- Bars ----

namespace {
constexpr int kHeroBarLengths[6] = {80, 96, 112, 88, 96, 64};
constexpr int kBarManBarLengths[5] = {116, 122, 86, 86, 96};
constexpr int kBarManStrips[5][2] = {{0, 32}, {32, 64}, {64, 96}, {96, 128}, {128, 224}};

OwnedSprite CutHeroBar(int kind, int left) {
    if (kind < 0 || kind > 5) return nullptr;
    OwnedSprite s = CreateSprite("Object", "Bar001", 2, left, 32 * kind, left + 128, 32 * kind + 32);
    if (s) s->scaleX = s->scaleY = static_cast<float>(GetHeroBarLength(kind) / 128.0);
    return s;
}

OwnedSprite CutBarManBar(int kind, int left) {
    if (kind < 0 || kind > 4) return nullptr;
    return CreateSprite("Object", "Bar002", 2, left, kBarManStrips[kind][0], left + 128,
                        kBarManStrips[kind][1]);
}
}  // namespace

int GetHeroBarLength(int kind) { return kind >= 0 && kind <= 5 ? kHeroBarLengths[kind] : 0; }
int GetLongestHeroBarLength() { return GetHeroBarLength(2); }
OwnedSprite MakeHeroBarSprite(int kind) { return CutHeroBar(kind, 0); }
OwnedSprite MakeHeroBarSpriteRight(int kind) { return CutHeroBar(kind, 128); }

int GetBarManBarLength(int kind) { return kind >= 0 && kind <= 4 ? kBarManBarLengths[kind] : 0; }
int GetLongestBarManBarLength() { return GetBarManBarLength(1); }
OwnedSprite MakeBarManBarSprite(int kind) { return CutBarManBar(kind, 0); }
OwnedSprite MakeBarManBarSpriteRight(int kind) { return CutBarManBar(kind, 128); }
