#pragma once
// A picture of the real manifests, built the way the generator builds it, for the tests that
// check the cells the game cuts from a sheet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/gen/Canvas.h"
#include "tools/gen/Images.h"

inline gen::Canvas Sheet(const std::string& key) {
    std::vector<gen::ImageDef> defs = gen::ReadImageManifests(std::string(QUOR_GEN_SOURCE_DIR) + "/images");
    for (const gen::ImageDef& d : defs)
        if (d.key == key) return gen::BuildImage(d, defs);
    ADD_FAILURE() << key << " is not drawn";
    return gen::Canvas(256, 256, gen::kKeyColor);
}
