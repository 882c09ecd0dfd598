#pragma once
// Drawing wrappers shared by the whole program, over the draw layer and the text layer.
// Colours are given as red, green and blue (0..255) and packed as red | green << 8 | blue << 16.
#include <cstdint>
#include <string>

// The colour of 0..255 components, packed as above.
constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16); }

// The faces the game's texts are drawn in: the proportional and the fixed-width gothic.
inline constexpr char kProportionalGothic[] = "ＭＳ Ｐゴシック";
inline constexpr char kFixedGothic[] = "ＭＳ ゴシック";

// Draws UTF-8 text in the rectangle. With `stringDrawing` set it goes character by character
// through the smoothed string renderer (elDraw::DrawString, top-left at left, top), each character
// in its cell (elDraw::kStringCells: the font size wide, half that for a single-byte character);
// otherwise through plain text in the rectangle with the alignment (0 left, 1 centred, any other
// value right) and `style` as the weight kind (0 normal, 1 bold), laid over what is there at
// `alpha` (0 nothing, 1 opaque).
void DrawText(const std::string& text, int left, int top, int right, int bottom, int red, int green, int blue,
              const std::string& fontName, int fontSize, int style, bool stringDrawing, int alignment,
              double alpha = 1.0);

// Renders UTF-8 text once into a new engine object of width x height filled with the background
// colour, as DrawText draws it without string mode with its top-left at the object's (0, 0).
// Returns the object's slot, or 0 when the size is empty or no object can be made (nothing is
// reported then: the caller draws the text itself).
int DrawTextToObject(const std::string& text, int width, int height, int red, int green, int blue,
                     const std::string& fontName, int fontSize, int style, int alignment, int backRed,
                     int backGreen, int backBlue);

// Four lines: (x1, y1)-(x1, y2), (x1, y2)-(x2, y2), (x2, y2)-(x2, y1), (x2, y1)-(x1, y1).
void DrawRectOutline(int x1, int y1, int x2, int y2, int red, int green, int blue, int width);

// The value formatted with "%f" as a debug text line.
void DrawDoubleText(double value, int x, int y);
