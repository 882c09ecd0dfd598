#pragma once
// The magician and the invisible marker that calls it.
//
// CMagician_Controller001 waits where it was put until the hero comes within 320 pixels across,
// then makes one CMagician001 far up and to one side, aimed at the marker's centre, watches it,
// and goes when it is gone. The magician swoops in, brakes near the marker, conjures a homing
// magic ball at the hero and shoots off upward. Touched while it casts, it is stunned and casts
// again; hit, it flies off; beaten, it keeps its marker from coming back.
#include <array>

#include "enemies/PatternEnemy.h"

class CMagician_Controller001 : public IBase {
  public:
    CMagician_Controller001(CStage* owner, double x, double y, int spawnSide);

    void Update() override;
    void Draw() override {}
    void DrawDebug() override;

    // The hero calls the magician from nearer than this across.
    static constexpr double kCallDistance = 320.0;
    // A magician farther than this out of view is gone.
    static constexpr double kLeaveDistance = 480.0;

    int spawnSide = 0;  // 0: the magician comes from the left
    bool spawned = false;
};

class CMagician001 : public CPatternEnemy {
  public:
    CMagician001(CStage* owner, double x, double y, int facing, CMagician_Controller001* controller,
                 double targetX, double targetY);
    ~CMagician001() override;

    void SetState(int s) { EnterState(s); }
    // Shoots off upward.
    void Leave();
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    void OnBlowEnd() override;

    // The marker that made it, while there is one.
    CMagician_Controller001* GetController() const;

    // Longest a swoop from the magician's starting point may take before it is given up.
    static constexpr double kSwoopFrames = 180.0;

    enum { kSwoop = 0, kBraking = 1, kCasting = 2, kAfterThrow = 3, kLeaving = 4, kStunned = 5 };

    double targetX = 0, targetY = 0;
    bool castDone = false;
    double ringAngle = 0;
    double ringRadius = 32.0;

  private:
    struct Point {
        double x, y;
    };
    // Chooses and places the body, the held item and the stunned pair for this frame.
    void PoseFigure(int body, int item, bool extra);
    void Throw();

    ObjectHandle controller_;
    CSpriteSheet left_, right_;  // eight body frames, three items
    CSpriteSheet whirl_;         // eight whirl frames
    CSpriteSheet parts_;         // spark, the stunned pair, ball, eight ring particles
    CSprite* bodySprite_ = nullptr;
    CSprite* itemSprite_ = nullptr;
    Point bodyPos_{}, itemPos_{}, anchorPos_{}, extraPos_{};
    bool extraShown_ = false;
};
