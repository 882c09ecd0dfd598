#pragma once
// Sound synthesis for the effects (sounds.txt -> WAV) and the music (music.txt -> Ogg Vorbis).
#include <string>
#include <vector>

#include "tools/gen/GenCommon.h"
#include "tools/gen/SoundFile.h"

namespace gen {

// One synthesised voice of a manifest line: wave, pitch slide, envelope, filters, repeats.
// Adds itself into `out` (growing it as needed) starting at `offset` seconds.
void RenderVoice(const Line& voice, std::vector<float>& out, double offset = 0.0);

// A note name such as "C5", "F#3", "Bb4" -> frequency in Hz; false when it is none.
bool NoteFrequency(const std::string& name, double& hz);

// sounds.txt: "<path> <voice> ... [+ <voice> ...]" per line. Returns the paths written.
std::vector<std::string> GenerateSounds(const std::string& manifest, const std::string& gameDir);
// music.txt: "piece <path> name=value ..." per piece, each followed by its "section <name>
// name=value ..." lines. Pieces whose lines and generator are unchanged since the last run are
// copied from the cache folder. Returns the paths written.
std::vector<std::string> GenerateMusic(const std::string& manifest, const std::string& gameDir,
                                       const std::string& cacheDir);
// The samples of one piece, its piece line and its section lines (exposed for tests).
std::vector<float> ComposePiece(const Line& piece, const std::vector<Line>& sections = {});

}  // namespace gen
