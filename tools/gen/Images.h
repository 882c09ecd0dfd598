#pragma once
// Image manifests (images/*.txt) -> BMP files and data\bmp_index.dat.
#include <functional>
#include <string>
#include <vector>

#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace gen {

struct ImageDef {
    std::string where;  // manifest position of the header line
    std::string key;    // "Group.Key"; empty for a file outside the index
    std::string path;   // game-relative path with backslashes, e.g. "system\Mouse001.bmp"
    int width = 0, height = 0;
    int cellW = 0, cellH = 0;  // written to the index
    uint32_t background = kKeyColor;
    std::string mirrorOf;                  // "Group.Key" whose cells are copied mirrored before drawing
    int mirrorCellW = 0, mirrorCellH = 0;  // cell size for mirroring when it differs from the index's
    bool placeholder = false;              // stands in until another manifest draws the same key
    std::vector<Line> ops;
};

// Reads every images/*.txt of the folder, in file-name order. A placeholder is left out when
// another manifest gives the same key; any other repeated key is an error.
std::vector<ImageDef> ReadImageManifests(const std::string& imagesDir);
// The folder a group's pictures go to when a header gives no path.
std::string DefaultImageFolder(const std::string& group);
// Draws one image (the defs are needed for mirrored images and the pictures `from` copies).
// `afterLine`, when given, sees the picture after each of the image's own drawing lines.
Canvas BuildImage(const ImageDef& def, const std::vector<ImageDef>& all,
                  const std::function<void(const Line&, const Canvas&)>& afterLine = {});
// The plain (unencoded) text of data\bmp_index.dat for the defs.
std::string BuildImageIndex(const std::vector<ImageDef>& defs);
// Writes every BMP and data\bmp_index.dat below the game folder; returns the paths written.
std::vector<std::string> GenerateImages(const std::string& imagesDir, const std::string& gameDir);

}  // namespace gen
