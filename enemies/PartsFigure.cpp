#include "enemies/PartsFigure.h"

#include "engine/SpriteManager.h"

void CPartsFigure::Place(double centerX, double centerY, double width, double height, int facing,
                         double shift, const HandOffsets& h) {
    const double toward = facing == 1 ? shift : -shift;
    const double x0 = centerX - width / 2 + toward, y0 = centerY - height / 2;
    bodyX = static_cast<float>(centerX + toward);
    bodyY = static_cast<float>(centerY - 4);
    handX1 = static_cast<float>(x0 - 9 + h.a);
    handY1 = static_cast<float>(y0 - 7 + h.b);
    handX2 = static_cast<float>(x0 - 9 + h.c);
    handY2 = static_cast<float>(y0 - 8 + h.e);
    if (facing == 1) {
        handX1 = 2 * bodyX - handX1;
        handX2 = 2 * bodyX - handX2;
    }
}

void CPartsFigure::Draw(CSprite* body, CSprite* hand1, CSprite* hand2, CSprite* tool, CSprite* effect) const {
    const struct {
        CSprite* s;
        float x, y, z, turn;
    } parts[] = {{body, bodyX, bodyY, bodyDepth, 0.0f},
                 {hand1, handX1, handY1, handDepth, 0.0f},
                 {hand2, handX2, handY2, handDepth, 0.0f},
                 {tool, toolX, toolY, toolDepth, toolAngle},
                 {effect, effectX, effectY, effectDepth, 0.0f}};
    for (const auto& p : parts) {
        if (!p.s) continue;
        p.s->x = p.x / 256.0f;
        p.s->y = p.y / 256.0f;
        p.s->z = p.z;
        p.s->angleZ = p.turn;
        p.s->ApplyTransform();
        p.s->Draw();
    }
}
