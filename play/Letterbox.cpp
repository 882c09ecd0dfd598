#include "play/Letterbox.h"

#include "engine/el/elDraw.h"

void DrawLetterbox(double ratio) {
    int h = static_cast<int>(ratio * 240.0);
    if (h < 0) h = 0;
    if (h > 240) h = 240;
    elDraw::DrawRect(0, 0, 640, h, 0, 0, 1);
    elDraw::DrawRect(0, 480 - h, 640, 480, 0, 0, 1);
}
