#include "stage/AreaObjectKinds_Common.h"

#include "engine/Camera.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/ClientInfo.h"

bool IsKindItemBought(const std::string& itemName) {
    return CClientInfo::GetInstance()->IsItemBought(itemName);
}

// Screen values are cut toward zero; a point far outside any map is held at the int range
// instead of overflowing.
int FrameScreenX(double worldX, double worldY) {
    return CStageAreaObject::CutToInt(
        CCamera::GetInstance()->WorldToScreenX(static_cast<float>(worldX), static_cast<float>(worldY)));
}

int FrameScreenY(double worldX, double worldY) {
    return CStageAreaObject::CutToInt(
        CCamera::GetInstance()->WorldToScreenY(static_cast<float>(worldX), static_cast<float>(worldY)));
}

int FrameScreenLength(double worldLength) {
    return CStageAreaObject::CutToInt(CCamera::GetInstance()->GetScale() * worldLength);
}

ExtentStroke FrameLine(int x1, int y1, int x2, int y2, uint32_t color) {
    ExtentStroke s;
    s.shape = ExtentStroke::Shape::Line;
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    s.color = color;
    return s;
}

ExtentStroke FrameRect(int x1, int y1, int x2, int y2, uint32_t color) {
    ExtentStroke s = FrameLine(x1, y1, x2, y2, color);
    s.shape = ExtentStroke::Shape::RectOutline;
    return s;
}

ExtentStroke FrameCircle(int cx, int cy, int radius, uint32_t color) {
    ExtentStroke s = FrameLine(cx, cy, radius, 0, color);
    s.shape = ExtentStroke::Shape::Circle;
    return s;
}

void DrawExtentStrokes(const std::vector<ExtentStroke>& strokes) {
    for (const ExtentStroke& s : strokes) {
        switch (s.shape) {
            case ExtentStroke::Shape::Line:
                elDraw::DrawLine(s.x1, s.y1, s.x2, s.y2, s.color, 1);
                break;
            case ExtentStroke::Shape::RectOutline:
                DrawRectOutline(s.x1, s.y1, s.x2, s.y2, static_cast<int>(s.color & 0xFF),
                                static_cast<int>((s.color >> 8) & 0xFF),
                                static_cast<int>((s.color >> 16) & 0xFF), 1);
                break;
            case ExtentStroke::Shape::Circle:
                elDraw::DrawArc(s.x1, s.y1, s.x2, s.color, 1);
                break;
        }
    }
}
