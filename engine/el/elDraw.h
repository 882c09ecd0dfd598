#pragma once
// The 2-D screen: one 640x480 32-bit back buffer that every frame is drawn into (the 3-D pass and
// the 2-D overlay alike), the engine object table of 3072 numbered image surfaces, BMP loading,
// colour-keyed and opaque copies with clipping, lines, rectangles and circles, and the present.
// Colours at this interface are 0x00BBGGRR; surfaces hold 0xAARRGGBB pixels (plat::Surface).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/surface.h"

namespace elDraw {

inline constexpr int kObjectCount = 3072;
inline constexpr int kFirstImageObject = 4;      // slots 0..3 are internal
inline constexpr int kMaxObjectNameLength = 30;  // bytes of the name in the game's encoding
inline constexpr int kDefaultScreenWidth = 640;
inline constexpr int kDefaultScreenHeight = 480;

// Internal slots made by Screen, each of screen size.
inline constexpr int kBufferObject = 0;      // "内部用１"
inline constexpr int kScreenObject = 1;      // "内部用２"
inline constexpr int kFontObject = 2;        // "内部用３"
inline constexpr int kFontBufferObject = 3;  // "内部用４"

// Memory kinds passed to the loaders (every loader stores 2).
inline constexpr int kMemoryDriver = 2;
inline constexpr int kMemoryTexture = 3;
inline constexpr int kMemoryRenderTexture = 4;

// One engine object.
struct ElObjectSlot {
    std::unique_ptr<plat::Surface> surface;  // null when the slot is free
    std::string name;                        // empty: free; "*": made by CreateObject
    int32_t memoryKind = kMemoryDriver;
    uint32_t colorKey = 0;  // 0x00BBGGRR
    uint16_t width = 0;
    uint16_t height = 0;
};

struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// Pixel layout of the back buffer.
struct PixelFormat {
    int bitsPerPixel = 32;
    uint32_t redMask = 0x00FF0000u, greenMask = 0x0000FF00u, blueMask = 0x000000FFu;
    int redShift = 16, greenShift = 8, blueShift = 0;
    int redBits = 8, greenBits = 8, blueBits = 8;
};

// ---- Set-up and end ----
// Opens the screen (width -1: 640 x 480), the four internal objects and then the 3-D device,
// sound, input and the font list. Opens a window first when none is open (headless when
// QUOR_HEADLESS is set). Failures: elSystem::Error("elDraw::Screen", ...) and false.
bool Screen(int width, int height, int unused);
bool IsOpen();
int GetScreenWidth();
int GetScreenHeight();
const PixelFormat& GetPixelFormat();
const std::string& GetDeviceDescription();
// Rebuilds surfaces after a loss. Software surfaces are never lost, so there is nothing to do.
void RestoreAll();
// Releases every object and the back buffer (last step of elSystem::End).
void ReleaseAll();

// ---- State ----
void SetClip(int left, int top, int right, int bottom);
ClipRect GetClip();
// The transparent colour (0x00BBGGRR) of every object loaded or created afterwards.
void SetColorKey(uint32_t colorRef);
uint32_t GetColorKey();

// ---- Objects ----
int LoadObject(const std::string& name, int memoryKind);  // slot, 0 on failure
int CreateObject(int width, int height, int memoryKind);  // slot, 0 on failure
bool SwapObject(const std::string& name, int slot, int memoryKind);
void ReleaseObject(int slot);
void ClearObject(int slot);
// Slot record and surface; null for a free slot or a number out of range.
const ElObjectSlot* GetObjectSlot(int slot);
plat::Surface* GetObjectSurface(int slot);

// ---- The back buffer ----
plat::Surface& BackBuffer();
void ClearScreen();
// Colour-keyed copy of the source rectangle (right and bottom exclusive) onto the back buffer at
// (x, y), clipped to the clip rectangle and to both surfaces. 1 drawn (or nothing to draw), 0 for
// a free or invalid slot.
int PutObject(int x, int y, int slot, int srcLeft, int srcTop, int srcRight, int srcBottom);
// Opaque copy between two objects, clipped the same way.
void PutObjectToObject(int dstSlot, int x, int y, int srcSlot, int srcLeft, int srcTop, int srcRight,
                       int srcBottom);
// Opaque copy of a back-buffer rectangle into the object at (0, 0), clipped to both surfaces.
void CaptureScreen(int slot, int left, int top, int right, int bottom);
// The same copy under the name the interface code knows: the back-buffer rectangle
// (x1, y1)-(x2, y2) into the object's image at (0, 0). Widgets cache rendered labels with it.
void FillObject(int slot, int x1, int y1, int x2, int y2);

// ---- Lines, rectangles and circles on the back buffer (pen widths in pixels) ----
// A line from (x1, y1) towards (x2, y2); a one-pixel pen leaves out the end point.
void DrawLine(int x1, int y1, int x2, int y2, uint32_t colorRef, int width);
// A rectangle filled with `fill` and outlined with the pen; right and bottom exclusive.
void DrawRect(int x1, int y1, int x2, int y2, uint32_t fill, uint32_t pen, int penWidth);
// A filled rectangle laid over what is there at `alpha` (0 nothing, 1 opaque); right and bottom
// exclusive.
void BlendRect(int x1, int y1, int x2, int y2, uint32_t colorRef, double alpha);
// A full circle of the given radius around the centre.
void DrawArc(int centreX, int centreY, int radius, uint32_t colorRef, int width);

// One line of debug text: "標準ゴシック" at height 12, white on dark blue.
void DrawDebugText(int x, int y, const std::string& text);

// Shows the finished back buffer (the platform presents it). 1 on success.
int Present();

}  // namespace elDraw
