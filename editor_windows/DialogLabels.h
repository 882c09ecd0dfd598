#pragma once
// The four label looks of the editor's dialogs: a message (size 16, left), a field caption
// (size 14, blue-grey, right-aligned), a field value (size 14, left) and a prompt (size 16,
// centred). All are cached labels.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/DisplayParts.h"

namespace Controls {

inline std::unique_ptr<CSpriteTextLabel> MakeDialogLabel(const std::string& text, int32_t x, int32_t y,
                                                         int32_t width, int32_t height, int32_t fontSize,
                                                         int32_t red, int32_t green, int32_t blue,
                                                         int32_t alignment) {
    auto label = std::make_unique<CSpriteTextLabel>(text, x, y, width, height, fontSize, red, green, blue);
    label->SetAlignment(alignment);
    return label;
}
inline std::unique_ptr<CSpriteTextLabel> MessageLabel(const std::string& text, int32_t x, int32_t y,
                                                      int32_t width, int32_t height) {
    return MakeDialogLabel(text, x, y, width, height, 16, 45, 30, 8, 0);
}
inline std::unique_ptr<CSpriteTextLabel> CaptionLabel(const std::string& text, int32_t x, int32_t y,
                                                      int32_t width, int32_t height) {
    return MakeDialogLabel(text, x, y, width, height, 14, 30, 80, 110, 2);
}
inline std::unique_ptr<CSpriteTextLabel> ValueLabel(const std::string& text, int32_t x, int32_t y,
                                                    int32_t width, int32_t height) {
    return MakeDialogLabel(text, x, y, width, height, 14, 45, 30, 8, 0);
}
inline std::unique_ptr<CSpriteTextLabel> PromptLabel(const std::string& text, int32_t x, int32_t y,
                                                     int32_t width, int32_t height) {
    return MakeDialogLabel(text, x, y, width, height, 16, 45, 30, 8, 1);
}

}  // namespace Controls
