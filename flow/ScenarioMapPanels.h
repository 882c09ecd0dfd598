#pragma once
// The panels of the scenario world map, one per cell: plain ground, the sea and hidden rocks,
// stages, boss stages and the last boss, treasures, locked doors, warps and one-way arrows. A
// panel knows its cell, its pictures, its progress and from which sides the hero may step onto
// it; the map manager decides when a panel opens, is cleared or passed.
//
// Three families share the work: fixed panels (one picture, no progress), revealed panels (a
// hidden picture that turns into the shown one) and the stage family (closed, opening, open,
// clearing, cleared). The thirteen kinds differ only in pictures and in the answers below.
#include <memory>
#include <string>

#include "engine/SpriteManager.h"

// The four directions of the map, as the manager numbers them.
enum class MapDirection { Up = 1, Right = 2, Down = 3, Left = 4 };

// One 80 x 80 cell of the panel sheets "System003" / "System004" (group "System").
struct MapPanelCell {
    const char* image;
    int left, top;
};

class CScenarioMapPanelBase {
  public:
    static constexpr int kCellPixels = 80;

    CScenarioMapPanelBase(int x, int y) : x_(x), y_(y) {}
    virtual ~CScenarioMapPanelBase() = default;
    CScenarioMapPanelBase(const CScenarioMapPanelBase&) = delete;
    CScenarioMapPanelBase& operator=(const CScenarioMapPanelBase&) = delete;

    virtual void Update() {}
    virtual void Draw() = 0;
    virtual void Open() = 0;
    virtual bool IsOpen() const = 0;
    // May the hero step onto the panel moving down (from above), up, right (from the left), left?
    virtual bool CanEnterFromAbove() const = 0;
    virtual bool CanEnterFromBelow() const = 0;
    virtual bool CanEnterFromLeft() const = 0;
    virtual bool CanEnterFromRight() const = 0;
    virtual bool OpensNeighboursOnArrival() const { return false; }
    // The panel's piece of the saved panel text.
    virtual std::string GetStateText() const { return std::string(); }

    // The enter test for a hero moving in `direction` onto the panel.
    bool CanEnterMoving(MapDirection direction) const;
    int GetX() const { return x_; }
    int GetY() const { return y_; }

  protected:
    // Puts the sprite on the cell's centre, turned by `rotation`, and draws it.
    void DrawSpriteOnCell(CSprite& sprite, float rotation) const;
    static OwnedSprite MakeCellSprite(const MapPanelCell& cell);

  private:
    int x_, y_;
};

// Plain ground and the sea: one picture, always open.
class CScenarioMapFixedPanel : public CScenarioMapPanelBase {
  public:
    ~CScenarioMapFixedPanel() override;
    void Draw() override;
    void Open() override {}
    bool IsOpen() const override { return true; }
    bool CanEnterFromAbove() const override { return passable_; }
    bool CanEnterFromBelow() const override { return passable_; }
    bool CanEnterFromLeft() const override { return passable_; }
    bool CanEnterFromRight() const override { return passable_; }
    bool OpensNeighboursOnArrival() const override { return passable_; }

  protected:
    CScenarioMapFixedPanel(int x, int y, const MapPanelCell& cell, bool passable);

  private:
    OwnedSprite sprite_;
    bool passable_;
};

class CScenarioMapPlanePanel : public CScenarioMapFixedPanel {
  public:
    CScenarioMapPlanePanel(int x, int y);
};

class CScenarioMapOuterWallPanel : public CScenarioMapFixedPanel {
  public:
    CScenarioMapOuterWallPanel(int x, int y);
};

// Hidden rock and warps: hidden until opened, then turned over to their picture for good.
class CScenarioMapRevealedPanel : public CScenarioMapPanelBase {
  public:
    enum Reveal { kHidden = 0, kRevealing = 1, kShown = 2 };
    static constexpr double kTurnFrames = 30.0;

    ~CScenarioMapRevealedPanel() override;
    void Update() override;
    void Draw() override;
    void Open() override;
    bool IsOpen() const override { return reveal_ != kHidden; }
    bool CanEnterFromAbove() const override { return Passable(); }
    bool CanEnterFromBelow() const override { return Passable(); }
    bool CanEnterFromLeft() const override { return Passable(); }
    bool CanEnterFromRight() const override { return Passable(); }
    bool OpensNeighboursOnArrival() const override { return passable_; }
    std::string GetStateText() const override { return reveal_ == kHidden ? "" : "1"; }
    int GetReveal() const { return reveal_; }
    double GetTimer() const { return timer_; }

  protected:
    CScenarioMapRevealedPanel(int x, int y, const std::string& piece, const MapPanelCell& shown,
                              bool passable);

  private:
    bool Passable() const { return passable_ && reveal_ != kHidden; }

    OwnedSprite shown_, hidden_;
    int reveal_;
    double timer_ = 0;
    bool passable_;
};

class CScenarioMapWallPanel : public CScenarioMapRevealedPanel {
  public:
    CScenarioMapWallPanel(int x, int y, const std::string& piece);
};

class CScenarioMapWarpPanel : public CScenarioMapRevealedPanel {
  public:
    CScenarioMapWarpPanel(int x, int y, const std::string& piece);
};

// Stages, boss stages, the last boss, treasures, doors and the one-way arrows.
class CScenarioMapStageFamilyPanel : public CScenarioMapPanelBase {
  public:
    enum State { kClosed = 0, kOpening = 1, kOpen = 2, kClearing = 3, kCleared = 4 };
    static constexpr double kTurnFrames = 30.0;

    // What a side of the panel asks of the hero's progress.
    enum class Entry { WhenOpen, WhenCleared };
    struct Look {
        MapPanelCell open, cleared;
        Entry fromAbove, fromBelow, fromLeft, fromRight;
        bool opensNeighbours;
        bool oneWay;  // an arrow: opening restarts the timer
    };

    ~CScenarioMapStageFamilyPanel() override;
    void Update() override;
    void Draw() override;
    void Open() override;
    bool IsOpen() const override { return state_ != kClosed; }
    bool CanEnterFromAbove() const override { return Allows(look_.fromAbove); }
    bool CanEnterFromBelow() const override { return Allows(look_.fromBelow); }
    bool CanEnterFromLeft() const override { return Allows(look_.fromLeft); }
    bool CanEnterFromRight() const override { return Allows(look_.fromRight); }
    bool OpensNeighboursOnArrival() const override { return look_.opensNeighbours; }
    std::string GetStateText() const override;

    // Won, taken or unlocked: closed, opening or open starts clearing, silently.
    void MarkCleared();
    // Stood on (one-way panels): opening or open starts clearing with a sound.
    void MarkPassed();
    bool IsCleared() const { return state_ == kClearing || state_ == kCleared; }
    int GetState() const { return state_; }
    double GetTimer() const { return timer_; }

  protected:
    CScenarioMapStageFamilyPanel(int x, int y, const std::string& piece, const Look& look);

  private:
    bool Allows(Entry entry) const { return entry == Entry::WhenOpen ? state_ != kClosed : IsCleared(); }

    Look look_;
    OwnedSprite open_, cleared_, closed_;
    int state_;
    double timer_ = 0;
};

class CScenarioMapStagePanel : public CScenarioMapStageFamilyPanel {
  public:
    CScenarioMapStagePanel(int x, int y, const std::string& piece);
};

class CScenarioMapBossStagePanel : public CScenarioMapStageFamilyPanel {
  public:
    CScenarioMapBossStagePanel(int x, int y, const std::string& piece);
};

class CScenarioMapLastBossStagePanel : public CScenarioMapStageFamilyPanel {
  public:
    CScenarioMapLastBossStagePanel(int x, int y, const std::string& piece);
};

class CScenarioMapTakaraPanel : public CScenarioMapStageFamilyPanel {
  public:
    CScenarioMapTakaraPanel(int x, int y, const std::string& piece);
};

class CScenarioMapDoorPanel : public CScenarioMapStageFamilyPanel {
  public:
    CScenarioMapDoorPanel(int x, int y, const std::string& piece);
};

// One-way panels: until the hero has stood on one, it refuses him from the side its arrow
// points to.
class CScenarioMapDirectionPanel : public CScenarioMapStageFamilyPanel {
  protected:
    using CScenarioMapStageFamilyPanel::CScenarioMapStageFamilyPanel;
};

class CScenarioMapDirectionToUpPanel : public CScenarioMapDirectionPanel {
  public:
    CScenarioMapDirectionToUpPanel(int x, int y, const std::string& piece);
};

class CScenarioMapDirectionToRightPanel : public CScenarioMapDirectionPanel {
  public:
    CScenarioMapDirectionToRightPanel(int x, int y, const std::string& piece);
};

class CScenarioMapDirectionToDownPanel : public CScenarioMapDirectionPanel {
  public:
    CScenarioMapDirectionToDownPanel(int x, int y, const std::string& piece);
};

class CScenarioMapDirectionToLeftPanel : public CScenarioMapDirectionPanel {
  public:
    CScenarioMapDirectionToLeftPanel(int x, int y, const std::string& piece);
};

// True when a map file field stands for a panel (MakeScenarioMapPanel makes one of it).
bool IsScenarioMapPanelCode(const std::string& field);
// The panel a map file field stands for, with its piece of the panel text; null for a field that
// is no panel code.
std::unique_ptr<CScenarioMapPanelBase> MakeScenarioMapPanel(const std::string& field, int x, int y,
                                                            const std::string& piece);
