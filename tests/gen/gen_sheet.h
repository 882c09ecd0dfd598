#pragma once
// A picture of the real manifests, built the way the generator builds it, for the tests that
// check the cells the game cuts from a sheet; and one manifest line drawn alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Images.h"
#include "tools/gen/Shapes.h"

// A cell of a sheet: its top-left corner and size.
struct SheetCell {
    int x, y, w, h;
};

// Every image of the manifests, read once per test program.
inline const std::vector<gen::ImageDef>& ManifestImages() {
    static const std::vector<gen::ImageDef> defs =
        gen::ReadImageManifests(std::string(QUOR_GEN_SOURCE_DIR) + "/images");
    return defs;
}

// The sheet of `key` ("Group.Name") as drawn for real; a stand-in or a missing key fails the test.
inline gen::Canvas Sheet(const std::string& key) {
    for (const gen::ImageDef& d : ManifestImages())
        if (d.key == key && !d.placeholder) return gen::BuildImage(d, ManifestImages());
    ADD_FAILURE() << key << " is not drawn for real";
    return gen::Canvas(256, 256, gen::kKeyColor);
}

// One manifest line drawn on a w x h canvas of the key colour (a line that does not parse fails
// the test).
inline gen::Canvas DrawManifestLine(const std::string& line, int w = 256, int h = 64) {
    gen::Canvas c(w, h, gen::kKeyColor);
    gen::Line l;
    EXPECT_TRUE(gen::ParseLine(line, "t:1", l));
    gen::DrawShape(c, l);
    return c;
}
