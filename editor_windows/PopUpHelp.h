#pragma once
// The help balloon beside the editor's buttons and placed objects: a one-line box that drops in
// with a short damped wobble and stays 8 pixels from its anchor, with a tail pointing at it. It
// opens above the anchor unless the anchor lies at the top edge (y 40 or less), and to the left
// unless there is no room. Not a widget: the editor owns at most one, advances it every frame
// and draws it after everything else.
//
// The text is rendered once into a surface of the balloon's own (never read back from the
// screen) and blitted from then on; where no surface can be made it is drawn as plain text.
#include <cstdint>
#include <string>

class CPopUpHelp {
  public:
    // Where the box lies from the anchor.
    enum class Orientation : int32_t { kAboveLeft = 1, kBelowLeft = 2, kAboveRight = 3, kBelowRight = 4 };

    CPopUpHelp(const std::string& text, int32_t x, int32_t y);
    virtual ~CPopUpHelp();
    CPopUpHelp(const CPopUpHelp&) = delete;
    CPopUpHelp& operator=(const CPopUpHelp&) = delete;

    // Adds this frame's time (in frames) to the wobble.
    void Advance();
    void Draw();

    const std::string& GetText() const { return text_; }
    int32_t GetX() const { return x_; }
    int32_t GetY() const { return y_; }
    // 7 pixels a byte of the text in the game's encoding (14 a double-byte character).
    int32_t GetWidth() const { return width_; }
    Orientation GetOrientation() const { return orientation_; }
    double GetTimer() const { return timer_; }
    // The box's distance from the anchor now: swings for 9 frames, then rests at 8.
    double GetBob() const;
    // The box's width: the text's plus 24, raised to a multiple of 8.
    int32_t GetBoxWidth() const;
    int32_t GetBoxLeft() const;
    int32_t GetBoxTop() const;
    // The cached text surface (0 before the first draw or when none could be made).
    int32_t GetTextSurface() const { return textSurface_ > 0 ? textSurface_ : 0; }

  private:
    void DrawBox(int32_t left, int32_t top, int32_t boxWidth) const;
    void DrawTail(double bob) const;
    void DrawTextPart(int32_t left, int32_t top, int32_t boxWidth);

    std::string text_;
    int32_t x_, y_;
    int32_t width_;
    Orientation orientation_;
    double timer_ = 0;
    int32_t textSurface_ = -1;  // -1: not rendered yet; 0: no surface could be made
    int32_t surfaceWidth_ = 0, surfaceHeight_ = 0;
};
