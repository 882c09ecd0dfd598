// The generated editor sheets draw something in every cell that a kind shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "stage/AreaObjectKinds_Register.h"

namespace {

// A 24-bit bottom-up BMP as the generator writes it; empty when the file is missing or not one.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;
    int offset = 0, stride = 0;

    bool IsKey(int x, int y) const {  // the transparent pure green
        const size_t at = static_cast<size_t>(offset) +
                          static_cast<size_t>(height - 1 - y) * static_cast<size_t>(stride) +
                          static_cast<size_t>(x) * 3;
        return bytes[at] == 0 && bytes[at + 1] == 255 && bytes[at + 2] == 0;
    }
};

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

Picture ReadPicture(const std::string& path) {
    Picture p;
    std::ifstream in(path, std::ios::binary);
    if (!in) return p;
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || (b[28] | (b[29] << 8)) != 24) return p;
    const int w = static_cast<int>(U32(b, 18)), h = static_cast<int>(U32(b, 22));
    const int offset = static_cast<int>(U32(b, 10)), stride = (w * 3 + 3) & ~3;
    if (w <= 0 || h <= 0 || b.size() < static_cast<size_t>(offset) + static_cast<size_t>(stride) * h)
        return p;
    p.width = w;
    p.height = h;
    p.offset = offset;
    p.stride = stride;
    p.bytes = std::move(b);
    return p;
}

TEST(KindIcons, EveryKindCellIsDrawn) {
    std::map<std::string, Picture> sheets;
    for (const char* key : {"StageObjects001", "StageObjects002", "StageObjects003"}) {
        sheets[key] = ReadPicture(std::string(QUOR_GAME_DIR) + "/system/" + key + ".bmp");
        if (sheets[key].width == 0) GTEST_SKIP() << "the game folder has no " << key << " yet";
    }
    for (const KindEditorCell& cell : AllKindEditorCells()) {
        const Picture& sheet = sheets[cell.image];
        ASSERT_LE(cell.right, sheet.width);
        ASSERT_LE(cell.bottom, sheet.height);
        int drawn = 0;
        for (int y = cell.top; y < cell.bottom; ++y) {
            for (int x = cell.left; x < cell.right; ++x) drawn += sheet.IsKey(x, y) ? 0 : 1;
        }
        const int area = (cell.right - cell.left) * (cell.bottom - cell.top);
        EXPECT_GE(drawn * 10, area) << cell.kindKey << " at " << cell.image << " (" << cell.left << ", "
                                    << cell.top << ") is nearly empty";
    }
}

}  // namespace
