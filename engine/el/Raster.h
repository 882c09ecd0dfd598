#pragma once
// The software rasteriser under the 3-D layer: clips triangles given in homogeneous clip space,
// maps them through a viewport and fills them into a 32-bit surface with a float Z buffer,
// perspective-correct texturing, point or linear filtering, a texture colour key and the six
// blend modes of the 3-D layer. Pixel centres lie at (x + 0.5, y + 0.5); edges follow the
// top-left rule, so triangles that share an edge never overlap nor leave gaps. Nothing is
// written outside the target's clip rectangle, which must lie within the surface.
#include <cstdint>

#include "platform/surface.h"

namespace elRaster {

enum class Filter : uint8_t { Point = 1, Linear = 2 };
enum class Fill : uint8_t { Solid, Wireframe, Points };

struct Texture {
    const uint32_t* pixels = nullptr;  // width * height texels, 0xAARRGGBB
    int width = 0;
    int height = 0;
    uint32_t key = 0;  // 0x00RRGGBB: texels of this colour are dropped when keyed
};

// A vertex after the world, view and projection transforms.
struct Vertex {
    float x, y, z, w;
    float u, v;
    uint32_t color;  // lit diffuse colour and alpha, 0xAARRGGBB
};

struct State {
    int blendMode = 1;      // 1 opaque .. 6 multiply
    bool blending = false;  // off: the source replaces the destination
    bool zEnable = true;    // test LESSEQUAL and write
    bool colorKey = false;
    bool perspective = true;
    bool textureAlphaOnly = false;  // alpha from the texture alone, else texture x diffuse
    bool gouraud = true;            // off: each triangle takes its first vertex's colour
    bool cullCounterClockwise = true;
    Fill fill = Fill::Solid;
    Filter minFilter = Filter::Linear;
    Filter magFilter = Filter::Linear;
};

struct Viewport {
    float left = 0, top = 0, width = 0, height = 0;
};

struct Target {
    plat::Surface* surface = nullptr;
    float* zbuffer = nullptr;                                      // surface-sized; null draws without Z
    int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;  // right, bottom exclusive
};

// Draws one triangle. `texture` null (or empty) samples opaque white.
void DrawTriangle(const Target& target, const Viewport& viewport, const State& state, const Texture* texture,
                  const Vertex& a, const Vertex& b, const Vertex& c);

// Draws the quad a-b-c-d, the two triangles (a, b, d) and (d, b, c), exactly as those two would
// be drawn; a flat, evenly mapped quad (a sprite facing the camera) is filled in one pass.
void DrawQuad(const Target& target, const Viewport& viewport, const State& state, const Texture* texture,
              const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);

// The sprite loops use the widest vectors the processor offers (16, 8 or 4 pixels). Tests and
// benchmarks may hold them to at most `lanes`; returns the width now in use.
int LimitVectorWidth(int lanes);

// The blend of one source pixel (already modulated) onto a destination pixel, as the span
// loops do it; for tests and for callers that need a single pixel.
uint32_t BlendPixel(int mode, bool blending, uint32_t source, uint32_t destination);

}  // namespace elRaster
