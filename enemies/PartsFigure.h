#pragma once
// A fighter drawn from parts: a body pose, two hands, the thing the hands hold (a gun or a bar)
// and, for a swing, an effect. The body and hands are laid out from the object's box and the
// pose's hand offsets; the held thing is then placed from the hands by the class.
class CSprite;

// Where the hands of a pose sit, from the top-left of the box: (a, b) and (c, e).
struct HandOffsets {
    int a, b, c, e;
};

struct CPartsFigure {
    // Body at the box's centre (4 up), shifted `shift` toward the facing; hands from the box's
    // top-left corner, mirrored about the body facing right.
    void Place(double centerX, double centerY, double width, double height, int facing, double shift,
               const HandOffsets& hands);
    // Body, hands, held thing (turned by toolAngle), effect; each skipped when null.
    void Draw(CSprite* body, CSprite* hand1, CSprite* hand2, CSprite* tool, CSprite* effect) const;

    float bodyX = 0, bodyY = 0;
    float handX1 = 0, handY1 = 0, handX2 = 0, handY2 = 0;
    float toolX = 0, toolY = 0, toolAngle = 0;
    float effectX = 0, effectY = 0;
    float bodyDepth = 0.0019f, toolDepth = 0.0018f, handDepth = 0.0017f, effectDepth = -0.0003f;
};
