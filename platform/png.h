#pragma once
// PNG output of a finished frame (headless runs, screenshots).
#include <string>

#include "platform/surface.h"

namespace plat {

// Writes the surface as an 8-bit RGB PNG (RGBA with `alpha`, from the pixels' top byte) through a
// temporary file renamed into place.
bool WritePng(const Surface& surface, const std::string& path, std::string* error = nullptr,
              bool alpha = false);

// Reads an 8-bit RGB or RGBA PNG (checking written frames); alpha becomes 0xFF when absent.
bool ReadPng(const std::string& path, Surface& out, std::string* error = nullptr);

}  // namespace plat
