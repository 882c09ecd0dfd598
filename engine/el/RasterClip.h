#pragma once
// Clipping in homogeneous clip space and the mapping through the viewport. Triangles are clipped
// to the near and far planes and to a guard band around the viewport, so the scan converter never
// sees huge coordinates; the clip rectangle then bounds the spans.
#include "engine/el/Raster.h"
#include "engine/el/RasterContext.h"

namespace elRaster::detail {

struct ClipVertex {
    float x, y, z, w, u, v, r, g, b, a;
};

ClipVertex FromVertex(const Vertex& s);

// A polygon clipped from a triangle has at most this many corners.
constexpr int kMaxClipVertices = 16;

class ClipSpace {
  public:
    explicit ClipSpace(const Viewport& viewport);

    // One bit per plane the vertex lies outside of; 0 inside all.
    int OutCode(const ClipVertex& p) const;
    // Clips the polygon of n vertices in `poly` against the planes set in `codes` (the union of
    // its vertices' out codes), using `scratch` as the second buffer; both hold kMaxClipVertices.
    // Returns the vertex count (below 3: nothing left) and points `poly` at the result.
    int Clip(ClipVertex*& poly, ClipVertex* scratch, int n, int codes) const;
    ScreenVertex ToScreen(const ClipVertex& p) const;

  private:
    float PlaneDistance(const ClipVertex& p, int plane) const;

    Viewport viewport_;
    float halfWidth_, halfHeight_;
    float guardX_, guardY_;  // the guard band in units of w
};

}  // namespace elRaster::detail
