#pragma once
// The leaves that windows show: text labels (drawn every frame, or rendered once and cached),
// the caption ribbon, the framed one-line text box, the engraved rule, a free picture, the two
// mascots in their normal and alert poses, the network activity light and the cell bar.
#include <cstdint>
#include <string>

#include "controls/ControlPort.h"
#include "controls/Widget.h"

namespace Controls {

// A picture: an image group, a key and a source rectangle (right and bottom exclusive).
struct ImageClip {
    std::string group;
    std::string key;
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Text drawn into its rectangle every frame: for texts that change often.
class CTextLabel : public COriginalBasePart {
  public:
    CTextLabel(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t height);
    CTextLabel(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t height, int32_t fontSize,
               int32_t red, int32_t green, int32_t blue);
    void Draw() override;

    virtual void SetText(const std::string& text) { text_ = text; }
    virtual void SetColor(int32_t red, int32_t green, int32_t blue);
    virtual void SetFontName(const std::string& name) { look_.fontName = name; }
    virtual void SetFontSize(int32_t size) { look_.fontSize = size; }
    virtual void SetBold(bool bold) { look_.bold = bold; }
    virtual void SetStringMode(bool on) { look_.stringMode = on; }
    virtual void SetAlignment(int32_t alignment) { look_.alignment = alignment; }
    std::string GetText() const { return text_; }
    const TextLook& GetLook() const { return look_; }

  protected:
    void DrawTextNow();

  private:
    std::string text_;
    TextLook look_;
};

// A label rendered once and then blitted from a cached surface until its text or look changes:
// for texts that stay on screen. The surface holds the text with what lay under it.
class CSpriteTextLabel : public CTextLabel {
  public:
    using CTextLabel::CTextLabel;
    ~CSpriteTextLabel() override;
    void Draw() override;
    void SetVisible(bool visible) override;
    void SetText(const std::string& text) override;
    void SetColor(int32_t red, int32_t green, int32_t blue) override;
    void SetFontName(const std::string& name) override;
    void SetFontSize(int32_t size) override;
    void SetBold(bool bold) override;
    void SetStringMode(bool on) override;
    void SetAlignment(int32_t alignment) override;

    void Invalidate() { stale_ = true; }
    void ReleaseSprite();
    bool HasSprite() const { return cached_ > 0; }

  private:
    int32_t cached_ = -1;
    int32_t cachedWidth_ = 0, cachedHeight_ = 0;
    bool stale_ = false;
};

// A coloured caption ribbon with a white bold label, 21 high.
class CCaptionRibon : public COriginalBasePart {
  public:
    CCaptionRibon(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t style);
    void Draw() override;
    void SetText(const std::string& text) { label_->SetText(text); }

  private:
    CSpriteTextLabel* label_;
    int32_t style_;
};

// A framed one-line text box.
class CTextLineArea : public COriginalBasePart {
  public:
    CTextLineArea(const std::string& text, int32_t x, int32_t y, int32_t width);
    CTextLineArea(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t fontSize);
    void Draw() override;
    void SetText(const std::string& text) { label_->SetText(text); }
    std::string GetText() const { return label_->GetText(); }

  private:
    CSpriteTextLabel* label_;
};

// An engraved horizontal rule: a light line with a dark one above it.
class CHorizontalLine : public COriginalBasePart {
  public:
    CHorizontalLine(int32_t x, int32_t y, int32_t length);
    void Draw() override;

  private:
    int32_t length_;
};

// Any picture, sized by its clip.
class CFreeImage : public COriginalBasePart {
  public:
    CFreeImage(int32_t x, int32_t y, const std::string& group, const std::string& key, int32_t left,
               int32_t top, int32_t right, int32_t bottom);
    CFreeImage(int32_t x, int32_t y, ImageClip image);
    void Draw() override;
    // Replaces the picture; the size stays.
    void SetImage(ImageClip image) { image_ = std::move(image); }
    const ImageClip& GetImage() const { return image_; }

  private:
    ImageClip image_;
};

// The first mascot: bobs up and down and swings faster for a while when clicked.
class CCapImageBase : public COriginalBasePart {
  public:
    void HandleInput() override;
    void Draw() override;
    double GetBob() const { return bob_; }

  protected:
    // `swing` scales the phase in the bob, `kick` is the boost a click gives, the pose cells
    // alternate every `period` / 2 steps of the phase.
    CCapImageBase(int32_t x, int32_t y, int32_t width, int32_t height, double swing, double kick, int period,
                  int32_t poseTop, int32_t poseBottom);

  private:
    double phase_ = 0, boost_ = 0, bob_ = 0;
    double swing_, kick_;
    int period_;
    int32_t poseTop_, poseBottom_;
};

class CCapImageNormal : public CCapImageBase {
  public:
    CCapImageNormal(int32_t x, int32_t y);
};

class CCapImageAlert : public CCapImageBase {
  public:
    CCapImageAlert(int32_t x, int32_t y);
};

// The second mascot: jumps for half a second when clicked.
class CChaoImageBase : public COriginalBasePart {
  public:
    void HandleInput() override;
    void Draw() override;
    double GetJump() const { return jump_; }

  protected:
    CChaoImageBase(int32_t x, int32_t y, ImageClip stand, int32_t standDx, ImageClip jump, int32_t jumpDx,
                   int32_t dy);

  private:
    double jump_ = 0;
    ImageClip stand_, jumpPose_;
    int32_t standDx_, jumpDx_, dy_;
};

class CChaoImageNormal : public CChaoImageBase {
  public:
    CChaoImageNormal(int32_t x, int32_t y);
};

class CChaoImageAlert : public CChaoImageBase {
  public:
    CChaoImageAlert(int32_t x, int32_t y);
};

// A row of eight lights with a running head and a two-cell fading tail: the network is busy.
// Stopped, it stays drawn where its head stood.
class CNetWorkAnimation : public COriginalBasePart {
  public:
    CNetWorkAnimation(int32_t x, int32_t y);
    void HandleInput() override;
    void Draw() override;
    void SetActive(bool active) { active_ = active; }
    bool IsActive() const { return active_; }
    double GetPhase() const { return phase_; }

  private:
    double phase_ = 0;
    bool active_ = true;
};

// A bar of 12-pixel cells in four kinds by three thresholds, with an end mark when full.
class CHorizontalBarGraph : public COriginalBasePart {
  public:
    CHorizontalBarGraph(int32_t x, int32_t y, int32_t first, int32_t second, int32_t third, int32_t cells);
    void Draw() override;
    void SetThresholds(int32_t first, int32_t second, int32_t third) {
        first_ = first, second_ = second, third_ = third;
    }

  private:
    int32_t first_, second_, third_, cells_;
};

}  // namespace Controls
