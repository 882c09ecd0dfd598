#pragma once
// Black bars at the top and the bottom of the 640 x 480 screen, each ratio x 240 pixels high.
void DrawLetterbox(double ratio);
