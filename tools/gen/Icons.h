#pragma once
// The desktop icon: the hero's face on a round tile, drawn at every size of the hicolor theme.
#include <string>
#include <vector>

#include "platform/surface.h"

namespace gen {

// The square sizes the icon is drawn at, in pixels.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The icon at one size, with smooth see-through edges (0xAARRGGBB).
plat::Surface BuildIcon(int size);
// Writes "<iconDir>/hicolor/<N>x<N>/apps/<name>.png" at every size; returns the paths written.
std::vector<std::string> GenerateIcons(const std::string& iconDir, const std::string& name);

}  // namespace gen
