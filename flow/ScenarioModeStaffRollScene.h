#pragma once
// The credits after the last boss: headings, credit lines and the cast with their pictures
// scroll up inside a fixed frame, captions show in a band at the bottom, and the roll stops on a
// closing notice. From frame 7000 on, Z, X or a click leaves it for the top menu.
#include <span>
#include <string>

#include "engine/Scene.h"

class CScenarioModeStaffRollScene : public IScene {
  public:
    // A heading or credit line at its roll position, in its font size.
    struct CreditLine {
        double rollY;
        int size;
        const char* text;
    };
    // One of the cast: the name, the keys of the editor's kinds the member plays (separated by
    // spaces), then the picture (a rectangle of an image) and where it stands.
    struct CastMember {
        const char* name;
        const char* kinds;
        const char* group;
        const char* key;
        int left, top, right, bottom, x;
    };
    static constexpr double kCastTop = 2560, kCastStep = 120, kCastPictureDrop = 24;

    // The headings and credit lines in the order they roll by, and the cast in its order (the
    // n-th named at kCastTop + n x kCastStep, its picture kCastPictureDrop lower).
    static std::span<const CreditLine> Credits();
    static std::span<const CastMember> Cast();

    static constexpr double kFadeInFrames = 90.0;
    static constexpr double kLeaveFrames = 180.0;
    static constexpr double kScrollFrom = 220.0;     // frames before the roll moves
    static constexpr double kKeysFrom = 7000.0;      // frames before a key leaves
    static constexpr double kScrollSpeed = -68.0;    // pixels per second
    static constexpr double kScrollLimit = -7200.0;  // where the roll stops

    explicit CScenarioModeStaffRollScene(IScene* parent) : IScene(parent) {}

    void Start() override;
    uint32_t GetClearColor() override { return 205u | (165u << 8) | (106u << 16); }
    void Update() override;
    void Draw() override {}
    void DrawOverlay() override;

    // A centred white line with its shadow at roll position `rollY`; nothing off the screen.
    void DrawCreditLine(const std::string& text, double rollY, int fontSize) const;
    // A picture at (x, rollY); nothing off the screen.
    void DrawCreditImage(int x, double rollY, const char* group, const char* key, int left, int top,
                         int right, int bottom) const;
    // The screen y of a roll position.
    int ScreenY(double rollY) const { return static_cast<int>(rollY + scroll_); }

    double GetTimer() const { return timer_; }
    double GetScroll() const { return scroll_; }
    bool IsFadingIn() const { return fadingIn_; }
    bool IsLeaving() const { return leaving_; }

  private:
    void DrawRoll() const;
    void DrawFrame() const;
    void DrawCaptions() const;

    double timer_ = 0;
    bool fadingIn_ = true;
    bool leaving_ = false;
    double fadeTimer_ = 0;
    double scroll_ = 0;
};
