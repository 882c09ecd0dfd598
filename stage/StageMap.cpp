#include "stage/StageMap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "foundation/ClientInfo.h"
#include "foundation/Geometry.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"
#include "stage/StageAreaObject.h"
#include "stage/StageChips.h"
#include "stage/StageSprite.h"

namespace {
// Truncation toward zero of a pixel coordinate, safe for any double.
inline int Trunc(double v) { return CStageAreaObject::CutToInt(v); }
inline int TileOf(int pixel) { return pixel / 32; }
inline int ClampInt(long long v, int lo, int hi) {
    return static_cast<int>(std::min<long long>(std::max<long long>(v, lo), hi));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Two hexadecimal digits; -1 when either is not one.
int HexPair(const char* p) {
    const int h = HexDigit(p[0]), l = HexDigit(p[1]);
    if (h < 0 || l < 0) return -1;
    return h * 16 + l;
}

const char kHex[] = "0123456789abcdef";

[[noreturn]] void ThrowMapAllocationError() {
    throw CResourceAccessException("RAE0002", "ステージマップ領域のメモリ取得に失敗しました。");
}
}  // namespace

CStageMap::~CStageMap() { Clear(); }

std::unique_ptr<CStageMap> CStageMap::Create(int cls) {
    if (cls < 0 || cls > 8) return nullptr;
    auto map = std::make_unique<CStageMap>();
    map->Allocate(AreaClassWidth(cls), AreaClassHeight(cls));
    map->areaClass = cls;
    return map;
}

void CStageMap::Allocate(int w, int h) {
    if (w < 1 || w > kMaxSide || h < 1 || h > kMaxSide) ThrowMapAllocationError();
    Clear();
    try {
        chips.assign(static_cast<size_t>(w) * h, 0);
        sprites.resize(static_cast<size_t>(w + 4) * (h + 3));
    } catch (const std::bad_alloc&) {
        chips.clear();
        sprites.clear();
        ThrowMapAllocationError();
    }
    width = w;
    height = h;
}

void CStageMap::Clear() {
    ReleaseChipSprites();
    std::vector<uint8_t>().swap(chips);
    std::vector<OwnedSprite>().swap(sprites);
    width = 0;
    height = 0;
}

uint8_t CStageMap::GetChip(int x, int y) const {
    if (width <= 0 || height <= 0) return 0;
    if (InGrid(x, y)) return StoredChip(x, y);
    // Outside the grid the terrain continues: the auto-tiled chip of the clamped neighbourhood.
    const int xl = ClampInt(static_cast<long long>(x) - 1, 0, width - 1);
    const int xc = ClampInt(x, 0, width - 1);
    const int xr = ClampInt(static_cast<long long>(x) + 1, 0, width - 1);
    const int yu = ClampInt(static_cast<long long>(y) - 1, 0, height - 1);
    const int yc = ClampInt(y, 0, height - 1);
    const int yd = ClampInt(static_cast<long long>(y) + 1, 0, height - 1);
    return AutoTileChip(StoredChip(xc, yc), StoredChip(xc, yu), StoredChip(xr, yc), StoredChip(xc, yd),
                        StoredChip(xl, yc), StoredChip(xl, yu), StoredChip(xr, yu), StoredChip(xl, yd),
                        StoredChip(xr, yd), x, y);
}

std::vector<uint8_t> CStageMap::GetChipsByRow() const {
    std::vector<uint8_t> rows(chips.size());
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y) * width + x] = StoredChip(x, y);
    }
    return rows;
}

void CStageMap::SetChip(int x, int y, uint8_t chip) {
    if (!InGrid(x, y)) return;
    chips[static_cast<size_t>(x) * height + y] = chip;
    if (spritesActive) RefreshCell(x, y);
}

void CStageMap::SetChips(const std::vector<MapCellChange>& changes) {
    size_t stored = 0;
    for (const MapCellChange& c : changes) {
        if (!InGrid(c.x, c.y)) continue;
        chips[static_cast<size_t>(c.x) * height + c.y] = c.chip;
        ++stored;
    }
    if (!spritesActive || stored == 0) return;
    // A cell's refresh also rebuilds the margin cells beside it: past a quarter of the map one
    // pass over every sprite is cheaper.
    if (stored * 4 >= static_cast<size_t>(width) * height) {
        CreateChipSprites();
        return;
    }
    for (const MapCellChange& c : changes) {
        if (InGrid(c.x, c.y)) RefreshCell(c.x, c.y);
    }
}

CSprite* CStageMap::GetCellSprite(int x, int y) const {
    if (sprites.empty() || x < -2 || x >= width + 2 || y < -3 || y >= height) return nullptr;
    return sprites[static_cast<size_t>(x + 2) * (height + 3) + (y + 3)].get();
}

void CStageMap::BuildCellSprite(int x, int y) {
    OwnedSprite& cell = CellSprite(x, y);
    cell.reset();
    const uint8_t chip = GetChip(x, y);
    if (chip == 0) return;
    static const std::string kGroup = "Map";
    static const std::string kSets[4] = {"ChipSet001", "ChipSet002", "ChipSet003", "ChipSet004"};
    const int inSet = chip % 64;
    const int u = (inSet % 8) * 32;
    const int v = (inSet / 8) * 32;
    cell = stagesprite::Create(kGroup, kSets[chip / 64], 2, u, v, u + 32, v + 32);
    stagesprite::SetPosition(cell.get(), static_cast<float>((x * 32 + 16) / 256.0),
                             static_cast<float>((y * 32 + 16) / 256.0), 0.0038f);
}

void CStageMap::RefreshCell(int x, int y) {
    BuildCellSprite(x, y);
    // Margin cells show the auto-tiled terrain of their clamped neighbourhood: rebuild each one
    // whose neighbourhood holds the changed cell.
    const int xs[7] = {-2, -1, x - 1, x, x + 1, width, width + 1};
    const int ys[6] = {-3, -2, -1, y - 1, y, y + 1};
    for (int i = 0; i < 7; ++i) {
        const int mx = xs[i];
        if (mx < -2 || mx > width + 1) continue;
        if (std::find(xs, xs + i, mx) != xs + i) continue;
        const int lo = ClampInt(mx - 1, 0, width - 1), hi = ClampInt(mx + 1, 0, width - 1);
        if (x < lo || x > hi) continue;
        for (int j = 0; j < 6; ++j) {
            const int my = ys[j];
            if (my < -3 || my > height - 1) continue;
            if (std::find(ys, ys + j, my) != ys + j) continue;
            if (mx >= 0 && mx < width && my >= 0) continue;  // not a margin cell
            const int rlo = ClampInt(my - 1, 0, height - 1), rhi = ClampInt(my + 1, 0, height - 1);
            if (y < rlo || y > rhi) continue;
            BuildCellSprite(mx, my);
        }
    }
}

void CStageMap::CreateChipSprites() {
    spritesActive = true;
    if (sprites.empty()) return;
    // Tools and tests that work on stage data alone have no sprite manager: no sprite to make.
    if (!stagesprite::CanCreate()) {
        for (OwnedSprite& s : sprites) s.reset();
        return;
    }
    for (int x = -2; x <= width + 1; ++x) {
        for (int y = -3; y <= height - 1; ++y) BuildCellSprite(x, y);
    }
}

void CStageMap::ReleaseChipSprites() {
    spritesActive = false;
    for (OwnedSprite& s : sprites) s.reset();
}

void CStageMap::Draw(int left, int right, int top, int bottom, double time, bool animate) {
    DrawWithAlpha(left, right, top, bottom, time, animate, 1.0f);
}

void CStageMap::DrawWithAlpha(int left, int right, int top, int bottom, double time, bool animate,
                              float alpha) {
    if (!spritesActive || sprites.empty()) return;
    const int sx[4] = {left, left, right, right};
    const int sy[4] = {top, bottom, top, bottom};
    int minC = 0, maxC = 0, minR = 0, maxR = 0;
    for (int i = 0; i < 4; ++i) {
        float wx = 0.0f, wy = 0.0f;
        stagesprite::ScreenToWorld(static_cast<float>(sx[i]), static_cast<float>(sy[i]), wx, wy);
        const int c = TileOf(Trunc(wx)), r = TileOf(Trunc(wy));
        if (i == 0 || c < minC) minC = c;
        if (i == 0 || c > maxC) maxC = c;
        if (i == 0 || r < minR) minR = r;
        if (i == 0 || r > maxR) maxR = r;
    }
    const int c0 = std::max(minC - 1, -2), c1 = std::min(maxC, width + 1);
    const int r0 = std::max(minR - 1, -3), r1 = std::min(maxR, height - 1);
    const double pulseOn = std::sin(time * 0.05) * 0.05 + 0.1;
    const double pulseOff = std::sin(time * 0.05) * 0.08 + 0.15;
    for (int c = c0; c <= c1; ++c) {
        for (int r = r0; r <= r1; ++r) {
            CSprite* s = CellSprite(c, r).get();
            if (!s) continue;
            const uint8_t chip = GetChip(c, r);
            float a = alpha;
            if (animate && chip >= 58 && chip <= 63) {
                const int colour = (chip - 58) / 2;
                const bool on = SwitchColorStates::IsOn(colour);
                if ((chip % 2 == 0) && on) a = static_cast<float>(pulseOn);
                if ((chip % 2 == 1) && !on) a = static_cast<float>(pulseOff);
            }
            stagesprite::SetAlpha(s, a);
            const double spin = GetChipConveyorSpin(chip);
            if (spin != 0.0) stagesprite::SetAngleZ(s, static_cast<float>(time * 0.0166667 * spin));
            stagesprite::Draw(s);
        }
    }
}

bool CStageMap::RectHitsBlockingChip(double x1, double y1, double x2, double y2) const {
    if (width <= 0) return false;
    const long long ix1 = Trunc(x1), iy1 = Trunc(y1);
    const int ix2 = Trunc(x2), iy2 = Trunc(y2);
    auto blocked = [this](long long px, long long py) {
        return !IsPassableChip(GetChip(TileOf(static_cast<int>(px)), TileOf(static_cast<int>(py))));
    };
    for (long long px = ix1; px < x2; px += 32) {
        for (long long py = iy1; py < y2; py += 32) {
            if (blocked(px, py)) return true;
        }
    }
    for (long long py = iy1; py < y2; py += 32) {
        if (blocked(ix2, py)) return true;
    }
    for (long long px = ix1; px < x2; px += 32) {
        if (blocked(px, iy2)) return true;
    }
    return blocked(ix2, iy2);
}

// One step of a path from pixel (ax, ay) to (bx, by): the vertical test at the new y across the
// width from the old x, the horizontal test at the new x down the height from the old y.
bool CStageMap::MoveBlocked(int ax, int ay, int bx, int by, double w, double h, StageMapMoveResult& r) const {
    bool any = false;
    // Samples s, s + 32, ... below s + size, then the last pixel s + size - 1.
    auto run = [](int s, double size, auto&& test) {
        const double end = static_cast<double>(s) + size;
        for (long long p = s; static_cast<double>(p) < end && p <= INT32_MAX; p += 32) {
            if (test(static_cast<int>(p))) return true;
        }
        return test(Trunc(end - 1));
    };
    if (ay != by) {
        const bool up = by < ay;
        const int row = TileOf(up ? by : Trunc(static_cast<double>(by) + h - 1));
        const int direction = up ? ChipDirection_Up : ChipDirection_Down;
        const long long bottom = static_cast<long long>(Trunc(h)) + by - 1;
        const bool entering = up ? (by % 32 >= 30) : (bottom % 32 < 2);
        const bool hit = run(ax, w, [&](int px) {
            const uint8_t chip = GetChip(TileOf(px), row);
            if (!IsPassableChip(chip)) return true;
            return entering && !IsPassableChipFrom(chip, direction);
        });
        if (hit) {
            (up ? r.hitTop : r.hitBottom) = true;
            any = true;
        }
    }
    if (ax != bx) {
        const bool leftward = bx < ax;
        const int col = TileOf(leftward ? bx : Trunc(static_cast<double>(bx) + w - 1));
        const int direction = leftward ? ChipDirection_Left : ChipDirection_Right;
        const long long right = static_cast<long long>(Trunc(w)) + bx - 1;
        const bool entering = leftward ? (bx % 32 >= 30) : (right % 32 < 2);
        const bool hit = run(ay, h, [&](int py) {
            const uint8_t chip = GetChip(col, TileOf(py));
            if (!IsPassableChip(chip)) return true;
            return entering && !IsPassableChipFrom(chip, direction);
        });
        if (hit) {
            (leftward ? r.hitLeft : r.hitRight) = true;
            any = true;
        }
    }
    return any;
}

// Walks from (fromX, fromY) to (toX, toY); true at the first blocked step, with the last free
// point in (endX, endY) and that step's hits in `hits`; false when the target is reached.
bool CStageMap::WalkPath(double fromX, double fromY, double toX, double toY, double w, double h, double& endX,
                         double& endY, StageMapMoveResult& hits) const {
    endX = toX;
    endY = toY;
    const int fx = Trunc(fromX), fy = Trunc(fromY), tx = Trunc(toX), ty = Trunc(toY);
    if (fx == tx && fy == ty) return false;
    const long long n =
        std::llabs(static_cast<long long>(fx) - tx) + std::llabs(static_cast<long long>(fy) - ty) + 1;
    const long long m = std::min<long long>(n, 150);
    double px = fromX, py = fromY;
    for (long long k = 1; k <= m + 1; ++k) {
        double nx = toX, ny = toY;
        if (k <= m) {
            nx = fromX + (toX - fromX) * static_cast<double>(k) / static_cast<double>(n);
            ny = fromY + (toY - fromY) * static_cast<double>(k) / static_cast<double>(n);
        }
        StageMapMoveResult step;
        if (MoveBlocked(Trunc(px), Trunc(py), Trunc(nx), Trunc(ny), w, h, step)) {
            endX = px;
            endY = py;
            hits = step;
            return true;
        }
        px = nx;
        py = ny;
    }
    return false;
}

StageMapMoveResult CStageMap::ResolveRectMove(double newX, double newY, double w, double h, double prevX,
                                              double prevY) const {
    StageMapMoveResult result;
    result.x = newX;
    result.y = newY;
    if (width <= 0) return result;
    double freeX = 0.0, freeY = 0.0;
    StageMapMoveResult hits;
    if (!WalkPath(prevX, prevY, newX, newY, w, h, freeX, freeY, hits)) return result;
    // Slide along the obstacle from the last free point.
    double slideX = newX, slideY = freeY;
    StageMapMoveResult started;
    if (hits.hitTop) {
        started.hitTop = true;
    } else if (hits.hitBottom) {
        started.hitBottom = true;
    } else {
        slideX = freeX;
        slideY = newY;
        (hits.hitLeft ? started.hitLeft : started.hitRight) = true;
    }
    double endX = 0.0, endY = 0.0;
    StageMapMoveResult slideHits;
    WalkPath(freeX, freeY, slideX, slideY, w, h, endX, endY, slideHits);
    result.x = endX;
    result.y = endY;
    result.hitTop = started.hitTop || slideHits.hitTop;
    result.hitBottom = started.hitBottom || slideHits.hitBottom;
    result.hitLeft = started.hitLeft || slideHits.hitLeft;
    result.hitRight = started.hitRight || slideHits.hitRight;
    return result;
}

bool CStageMap::IsLineClear(int x1, int y1, int x2, int y2) const {
    const int n = Trunc(GetDistance(x1, y1, x2, y2));
    if (n < 1) return true;
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const long long px = static_cast<long long>(Trunc(dx * t)) + x1;
        const long long py = static_cast<long long>(Trunc(dy * t)) + y1;
        const int cx = ClampInt(px, INT32_MIN, INT32_MAX), cy = ClampInt(py, INT32_MIN, INT32_MAX);
        if (!IsPassableChip(GetChip(TileOf(cx), TileOf(cy)))) return false;
    }
    return true;
}

std::string CStageMap::EncodeMapString() const {
    std::string out;
    if (width <= 0 || height <= 0) return out;
    out.reserve(64);
    uint8_t current = StoredChip(0, 0);
    int count = 0;
    auto flush = [&out](uint8_t chip, int n) {
        const char run[4] = {kHex[chip >> 4], kHex[chip & 15], kHex[(n >> 4) & 15], kHex[n & 15]};
        out.append(run, 4);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t chip = StoredChip(x, y);
            if (chip != current || count >= 255) {
                flush(current, count);
                count = 0;
            }
            current = chip;
            ++count;
        }
    }
    flush(current, count);
    return out;
}

bool CStageMap::DecodeMapString(const std::string& text) {
    if (width <= 0 || height <= 0) return false;
    if (text.empty() || text.size() % 4 != 0) return false;
    // Decoded into a copy first: a bad text leaves the grid as it was.
    const size_t cells = static_cast<size_t>(width) * height;
    std::vector<uint8_t> decoded(cells, 0);
    size_t index = 0;
    const char* p = text.data();
    for (size_t g = 0; g < text.size(); g += 4) {
        // Every group is four hexadecimal digits: the chip, then how many cells it fills.
        const int chipValue = HexPair(p + g), count = HexPair(p + g + 2);
        if (chipValue < 0 || count < 0) return false;
        if (count == 0) continue;
        const auto chip = static_cast<uint8_t>(chipValue);
        if (index + static_cast<size_t>(count) > cells) return false;
        for (int i = 0; i < count; ++i, ++index) {
            const size_t x = index % width, y = index / width;
            decoded[x * height + y] = chip;
        }
    }
    if (index != cells) return false;
    chips.swap(decoded);
    if (spritesActive) CreateChipSprites();
    return true;
}

long long CStageMap::MapStringCheckSum(const std::string& mapString) {
    long long sum = 0;
    for (char c : mapString) sum += static_cast<signed char>(c);
    return sum;
}

std::string CStageMap::WriteXml() const {
    const std::string mapString = EncodeMapString();
    std::string out;
    out.reserve(mapString.size() + 200);
    out += "        <className>" + AreaClassKey(areaClass) + "</className>\n";
    out += "        <mapStringLength>" + std::to_string(mapString.size()) + "</mapStringLength>\n";
    out += "        <checkSum>" + std::to_string(MapStringCheckSum(mapString)) + "</checkSum>\n";
    out += "        <mapString>";
    out += mapString;
    out += "</mapString>\n";
    return out;
}

std::unique_ptr<CStageMap> CStageMap::FromMapXml(const std::string& className, int mapStringLength,
                                                 int checkSum, const std::string& mapString) {
    if (static_cast<long long>(mapStringLength) != static_cast<long long>(mapString.size())) {
        throw CStageDataException("SDE0003", "地形配列の長さが不正です。");
    }
    if (checkSum != MapStringCheckSum(mapString)) {
        throw CStageDataException("SDE0004", "地形配列のチェックサムが不正です。");
    }
    std::unique_ptr<CStageMap> map = Create(AreaClassFromKey(className));
    if (!map) return nullptr;
    if (!map->DecodeMapString(mapString)) {
        throw CStageDataException("SDE0002", "地形配列を解析できません。");
    }
    return map;
}

bool CStageMap::UsesUnboughtChips() const {
    if (chips.empty()) return false;
    CClientInfo* info = CClientInfo::GetInstance();
    const bool ground008 = info->IsItemBought("Ground008");
    const bool roundBlock002 = info->IsItemBought("RoundBlock002");
    const bool needle002 = info->IsItemBought("Needle002");
    for (uint8_t chip : chips) {
        if (!ground008 && chip >= 176 && chip <= 191) return true;
        if (!roundBlock002 && (chip == 226 || chip == 227)) return true;
        if (!needle002 && chip == 57) return true;
    }
    return false;
}
