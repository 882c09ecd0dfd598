#pragma once
// Pieces shared by the placed-object kinds: the editor cell record of a kind's icon, the shop
// check, and the extent frames that lifts, blocks and some hazards draw over the editor view.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "stage/StageAreaObject.h"
#include "stage/StageObjectKindTable.h"

// The row of `key` in a kind family's table. Every kind class names a row of its own family's
// table, so the search always finds one; the first row stands in otherwise.
template <class Row, std::size_t N>
const Row& FindKindRow(const Row (&table)[N], const char* key) {
    for (const Row& row : table) {
        if (std::strcmp(row.key, key) == 0) return row;
    }
    return table[0];
}

// The 32-pixel (or 32 x 64 / 64 x 32) cell of an editor image ("StageObjects001".."003" of the
// group "System") that shows a kind in the editor. Switch kinds have three cells (red, green, blue).
struct KindEditorCell {
    const char* kindKey;
    const char* image;
    int left, top, right, bottom;
};

// Adds one record per row of a family's table to the factory list, in table order: the record
// class is built from its row (Record(row, owner stage, owner area, owner table, x, y)).
template <class Record, class Row, std::size_t N>
void AddRowKinds(StageAreaObjectKindList& list, const Row (&table)[N]) {
    for (const Row& row : table) {
        list.Add(row.key, [&row](CStage* stage, CStageArea* area, CStageAreaObjectTable* owner, int x,
                                 int y) { return std::make_unique<Record>(row, stage, area, owner, x, y); });
    }
}

// Appends the 32 x 32 editor cells on `image` of a family's table, in table order.
template <class Row, std::size_t N>
void AppendRowCells(std::vector<KindEditorCell>& out, const char* image, const Row (&table)[N]) {
    for (const Row& row : table)
        out.push_back({row.key, image, row.left, row.top, row.left + 32, row.top + 32});
}

// Declares one kind class: the five-argument constructor that every kind has, its
// GetObjectSpec, and the further member declarations given after the base (each ended by ';').
#define QUOR_AREA_OBJECT_KIND(Cls, Base, ...)                                                        \
    class Cls : public Base {                                                                        \
      public:                                                                                        \
        Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, int tileX, \
            int tileY);                                                                              \
        LiveObjectSpec GetObjectSpec(bool side) override;                                            \
        __VA_ARGS__                                                                                  \
    }

// Member declarations shared by several kinds, for the list after the base.
// A shop part: locked while its item is not bought.
#define QUOR_KIND_LOCKED bool IsLocked() override;
// A kind whose live object exists from the start of the area.
#define QUOR_KIND_START_OBJECT LiveObjectSpec GetStartObjectSpec(bool side) override;
// A kind that marks the tiles it covers in the editor.
#define QUOR_KIND_EXTENT_FRAME       \
    void DrawExtentFrame() override; \
    std::vector<ExtentStroke> GetExtentStrokes() const;

// The pixel of a tile edge plus an offset, as a whole number (32 pixels per tile). Tiles far
// outside any map wrap around as 32-bit arithmetic does instead of overflowing.
inline int TilePixel(int tile, int offset) {
    return static_cast<int>(static_cast<int64_t>(tile) * 32 + offset);
}

// Whether the player owns the shop item; asked afresh every time, never cached.
bool IsKindItemBought(const std::string& itemName);

// One stroke of an extent frame in screen pixels, as it is drawn.
struct ExtentStroke {
    enum class Shape { Line, RectOutline, Circle };
    Shape shape = Shape::Line;
    int x1 = 0, y1 = 0;  // line start, rectangle corner, circle centre
    int x2 = 0, y2 = 0;  // line end, opposite rectangle corner; x2 is a circle's radius
    uint32_t color = 0;  // 0x00BBGGRR
};

inline constexpr uint32_t kFrameWhite = 0xFFFFFF;
inline constexpr uint32_t kFrameGreen = 0x00FF00;
inline constexpr uint32_t kFrameRed = 0x0000FF;

// The camera's view of a world point, each coordinate cut toward zero.
int FrameScreenX(double worldX, double worldY);
int FrameScreenY(double worldX, double worldY);
// A length in world pixels at the camera's scale, cut toward zero.
int FrameScreenLength(double worldLength);

// Draws the strokes with width 1 (lines and circles through elDraw, rectangles through
// DrawRectOutline).
void DrawExtentStrokes(const std::vector<ExtentStroke>& strokes);

// Stroke builders.
ExtentStroke FrameLine(int x1, int y1, int x2, int y2, uint32_t color);
ExtentStroke FrameRect(int x1, int y1, int x2, int y2, uint32_t color);
ExtentStroke FrameCircle(int cx, int cy, int radius, uint32_t color);
