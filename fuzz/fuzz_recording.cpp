// Recorded plays of the stage player on arbitrary text: a recording is read or refused with its
// line, and one that is read writes out and reads back the same, every frame within the cap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/playstage/Recording.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    PlayRecording recording;
    std::string error;
    if (!ParsePlayRecording(text, recording, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (PlayRecordingLastFrame(recording) > kMaxPlayStageFrame) std::abort();
    for (const KeyHold& hold : KeyChangesToHolds(recording.changes))
        if (hold.from < 0 || hold.to < hold.from) std::abort();
    // A stage path that holds a line end cannot be written back as one line: nothing more to check.
    if (recording.stagePath.find_first_of("\r\n") != std::string::npos) return 0;
    PlayRecording again;
    if (!ParsePlayRecording(FormatPlayRecording(recording), again, error)) std::abort();
    if (FormatPlayRecording(again) != FormatPlayRecording(recording)) std::abort();
    return 0;
}
