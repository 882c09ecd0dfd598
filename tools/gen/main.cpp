// quor-gen: makes the game folder's content (images and their index, sound effects, music,
// data tables, initial state files, stages, empty folders) from the manifests in tools/gen, and
// the desktop icon when asked where to put it.
//
//   quor-gen --src <tools/gen folder> --out <game folder> [--cache <folder>]
//            [--icons <folder> --icon-name <name>] [--only images|sounds|music|tables|stages|icons]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/gen/Audio.h"
#include "tools/gen/DataFiles.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Icons.h"
#include "tools/gen/Images.h"
#include "tools/gen/Stages.h"

int main(int argc, char** argv) {
    std::string src, out, cache, icons, iconName = "quorvald", only;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--src"))
            src = argv[i + 1];
        else if (!std::strcmp(argv[i], "--out"))
            out = argv[i + 1];
        else if (!std::strcmp(argv[i], "--cache"))
            cache = argv[i + 1];
        else if (!std::strcmp(argv[i], "--icons"))
            icons = argv[i + 1];
        else if (!std::strcmp(argv[i], "--icon-name"))
            iconName = argv[i + 1];
        else if (!std::strcmp(argv[i], "--only"))
            only = argv[i + 1];
    }
    if (src.empty() || out.empty()) {
        std::fprintf(
            stderr,
            "usage: quor-gen --src <tools/gen> --out <game folder> [--cache <folder>] [--icons <folder> "
            "--icon-name <name>] [--only part]\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    try {
        size_t count = 0;
        auto want = [&](const char* part) { return only.empty() || only == part; };
        if (want("tables"))
            count += gen::CreateGameFolders(out).size() +
                     gen::GenerateTables(gen::JoinPath(src, "tables"), out).size();
        // Stages read the kind table written with the tables.
        if (want("tables") || want("stages"))
            count += gen::GenerateStages(gen::JoinPath(src, "stages"), out).size();
        if (want("images")) count += gen::GenerateImages(gen::JoinPath(src, "images"), out).size();
        if (want("sounds")) count += gen::GenerateSounds(gen::JoinPath(src, "sounds.txt"), out).size();
        if (want("music")) count += gen::GenerateMusic(gen::JoinPath(src, "music.txt"), out, cache).size();
        if (want("icons") && !icons.empty()) count += gen::GenerateIcons(icons, iconName).size();
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("quor-gen: %zu files and folders in %s (%.1f s)\n", count, out.c_str(), secs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quor-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
