#include "flow/ScenarioMapPanels.h"

#include <numbers>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"

namespace {

constexpr int kBlendMode = 2;
constexpr double kHalfTurn = 15.0;  // frames: the picture changes half-way through a turn

// Every hidden or closed panel looks the same, whatever it hides.
constexpr MapPanelCell kClosedCell = {"System003", 80, 0};
constexpr MapPanelCell kOuterWallCell = {"System003", 0, 0};
constexpr MapPanelCell kWallCell = {"System003", 160, 0};
constexpr MapPanelCell kPlaneCell = {"System004", 0, 0};
constexpr MapPanelCell kWarpCell = {"System004", 160, 0};

using Look = CScenarioMapStageFamilyPanel::Look;
using Entry = CScenarioMapStageFamilyPanel::Entry;
constexpr Entry kOpen = Entry::WhenOpen;
constexpr Entry kCleared = Entry::WhenCleared;

// The open and the cleared picture, the enter rule from above, below, the left and the right,
// whether arriving opens the neighbours, and whether the panel is an arrow.
constexpr Look kStageLook = {
    {"System003", 0, 80}, {"System003", 0, 160}, kOpen, kOpen, kOpen, kOpen, false, false};
constexpr Look kBossLook = {
    {"System003", 80, 80}, {"System003", 80, 160}, kOpen, kOpen, kOpen, kOpen, false, false};
constexpr Look kLastBossLook = {
    {"System003", 160, 80}, {"System003", 160, 160}, kOpen, kOpen, kOpen, kOpen, false, false};
constexpr Look kTakaraLook = {
    {"System004", 80, 0}, {"System004", 80, 80}, kOpen, kOpen, kOpen, kOpen, false, false};
// A door, once unlocked, and an arrow, once passed, look like plain ground.
constexpr Look kDoorLook = {
    {"System004", 0, 80}, kPlaneCell, kCleared, kCleared, kCleared, kCleared, true, false};
// An arrow refuses the hero coming against it (moving down onto an up arrow, and so on) until
// he has stood on it once.
constexpr Look kUpLook = {{"System004", 160, 80}, kPlaneCell, kCleared, kOpen, kOpen, kOpen, true, true};
constexpr Look kRightLook = {{"System004", 0, 160}, kPlaneCell, kOpen, kOpen, kOpen, kCleared, true, true};
constexpr Look kDownLook = {{"System004", 80, 160}, kPlaneCell, kOpen, kCleared, kOpen, kOpen, true, true};
constexpr Look kLeftLook = {{"System004", 160, 160}, kPlaneCell, kOpen, kOpen, kCleared, kOpen, true, true};

// The turn of a panel that changes its picture: out by a quarter turn on the old picture in the
// first half, back in on the new one in the second.
float TurnAngle(double timer) {
    const double pi = std::numbers::pi;
    return static_cast<float>(timer < kHalfTurn ? pi * timer / 30.0 : (timer - 30.0) * pi / 30.0);
}

}  // namespace

// ---- Base ----

bool CScenarioMapPanelBase::CanEnterMoving(MapDirection direction) const {
    switch (direction) {
        case MapDirection::Up:
            return CanEnterFromBelow();
        case MapDirection::Right:
            return CanEnterFromLeft();
        case MapDirection::Down:
            return CanEnterFromAbove();
        case MapDirection::Left:
            return CanEnterFromRight();
    }
    return false;
}

void CScenarioMapPanelBase::DrawSpriteOnCell(CSprite& sprite, float rotation) const {
    sprite.angleX = rotation;
    sprite.x = static_cast<float>((kCellPixels * x_ + kCellPixels * 0.5) / 256.0);
    sprite.y = static_cast<float>((kCellPixels * y_ + kCellPixels * 0.5) / 256.0);
    sprite.z = 0;
    sprite.ApplyTransform();
    sprite.Draw();
}

OwnedSprite CScenarioMapPanelBase::MakeCellSprite(const MapPanelCell& cell) {
    return CreateSprite("System", cell.image, kBlendMode, cell.left, cell.top, cell.left + kCellPixels,
                        cell.top + kCellPixels);
}

// ---- Fixed panels ----

CScenarioMapFixedPanel::CScenarioMapFixedPanel(int x, int y, const MapPanelCell& cell, bool passable)
    : CScenarioMapPanelBase(x, y), sprite_(MakeCellSprite(cell)), passable_(passable) {}

CScenarioMapFixedPanel::~CScenarioMapFixedPanel() = default;

void CScenarioMapFixedPanel::Draw() {
    if (sprite_) DrawSpriteOnCell(*sprite_, sprite_->angleX);
}

CScenarioMapPlanePanel::CScenarioMapPlanePanel(int x, int y)
    : CScenarioMapFixedPanel(x, y, kPlaneCell, true) {}

CScenarioMapOuterWallPanel::CScenarioMapOuterWallPanel(int x, int y)
    : CScenarioMapFixedPanel(x, y, kOuterWallCell, false) {}

// ---- Revealed panels ----

CScenarioMapRevealedPanel::CScenarioMapRevealedPanel(int x, int y, const std::string& piece,
                                                     const MapPanelCell& shown, bool passable)
    : CScenarioMapPanelBase(x, y),
      shown_(MakeCellSprite(shown)),
      hidden_(MakeCellSprite(kClosedCell)),
      reveal_(piece == "1" ? kShown : kHidden),
      passable_(passable) {}

CScenarioMapRevealedPanel::~CScenarioMapRevealedPanel() = default;

void CScenarioMapRevealedPanel::Update() {
    if (reveal_ != kRevealing) return;
    timer_ += FramesThisFrame();
    if (timer_ > kTurnFrames) reveal_ = kShown;
}

void CScenarioMapRevealedPanel::Open() {
    if (reveal_ != kHidden) return;
    reveal_ = kRevealing;
    PlaySE(SoundId::kItem2);
}

void CScenarioMapRevealedPanel::Draw() {
    const bool hidden = reveal_ == kHidden || (reveal_ == kRevealing && timer_ < kHalfTurn);
    CSprite* sprite = hidden ? hidden_.get() : shown_.get();
    if (sprite) DrawSpriteOnCell(*sprite, reveal_ == kRevealing ? TurnAngle(timer_) : 0.0f);
}

CScenarioMapWallPanel::CScenarioMapWallPanel(int x, int y, const std::string& piece)
    : CScenarioMapRevealedPanel(x, y, piece, kWallCell, false) {}

CScenarioMapWarpPanel::CScenarioMapWarpPanel(int x, int y, const std::string& piece)
    : CScenarioMapRevealedPanel(x, y, piece, kWarpCell, true) {}

// ---- The stage family ----

CScenarioMapStageFamilyPanel::CScenarioMapStageFamilyPanel(int x, int y, const std::string& piece,
                                                           const Look& look)
    : CScenarioMapPanelBase(x, y),
      look_(look),
      open_(MakeCellSprite(look.open)),
      cleared_(MakeCellSprite(look.cleared)),
      closed_(MakeCellSprite(kClosedCell)),
      state_(piece == "2"   ? kCleared
             : piece == "1" ? kOpen
                            : kClosed) {}

CScenarioMapStageFamilyPanel::~CScenarioMapStageFamilyPanel() = default;

void CScenarioMapStageFamilyPanel::Update() {
    if (state_ != kOpening && state_ != kClearing) return;
    timer_ += FramesThisFrame();
    if (timer_ > kTurnFrames) {
        state_ = state_ == kOpening ? kOpen : kCleared;
        timer_ = 0;
    }
}

void CScenarioMapStageFamilyPanel::Open() {
    if (state_ != kClosed) return;
    state_ = kOpening;
    if (look_.oneWay) timer_ = 0;
    PlaySE(SoundId::kItem2);
}

void CScenarioMapStageFamilyPanel::MarkCleared() {
    if (state_ == kClosed || state_ == kOpening || state_ == kOpen) state_ = kClearing;
}

void CScenarioMapStageFamilyPanel::MarkPassed() {
    if (state_ != kOpening && state_ != kOpen) return;
    state_ = kClearing;
    timer_ = 0;
    PlaySE(SoundId::kDoor3);
}

std::string CScenarioMapStageFamilyPanel::GetStateText() const {
    if (state_ == kClosed) return std::string();
    return IsCleared() ? "2" : "1";
}

void CScenarioMapStageFamilyPanel::Draw() {
    CSprite* sprite = open_.get();
    if (state_ == kClosed || (state_ == kOpening && timer_ < kHalfTurn)) {
        sprite = closed_.get();
    } else if (state_ == kCleared) {
        sprite = cleared_.get();
    } else if (state_ == kClearing) {
        // A blink every two frames between the cleared and the open picture.
        const int frame = static_cast<int>(timer_) % 4;
        if (frame == 0 || frame == 1) sprite = cleared_.get();
    }
    if (sprite) DrawSpriteOnCell(*sprite, state_ == kOpening ? TurnAngle(timer_) : 0.0f);
}

CScenarioMapStagePanel::CScenarioMapStagePanel(int x, int y, const std::string& piece)
    : CScenarioMapStageFamilyPanel(x, y, piece, kStageLook) {}

CScenarioMapBossStagePanel::CScenarioMapBossStagePanel(int x, int y, const std::string& piece)
    : CScenarioMapStageFamilyPanel(x, y, piece, kBossLook) {}

CScenarioMapLastBossStagePanel::CScenarioMapLastBossStagePanel(int x, int y, const std::string& piece)
    : CScenarioMapStageFamilyPanel(x, y, piece, kLastBossLook) {}

CScenarioMapTakaraPanel::CScenarioMapTakaraPanel(int x, int y, const std::string& piece)
    : CScenarioMapStageFamilyPanel(x, y, piece, kTakaraLook) {}

CScenarioMapDoorPanel::CScenarioMapDoorPanel(int x, int y, const std::string& piece)
    : CScenarioMapStageFamilyPanel(x, y, piece, kDoorLook) {}

CScenarioMapDirectionToUpPanel::CScenarioMapDirectionToUpPanel(int x, int y, const std::string& piece)
    : CScenarioMapDirectionPanel(x, y, piece, kUpLook) {}

CScenarioMapDirectionToRightPanel::CScenarioMapDirectionToRightPanel(int x, int y, const std::string& piece)
    : CScenarioMapDirectionPanel(x, y, piece, kRightLook) {}

CScenarioMapDirectionToDownPanel::CScenarioMapDirectionToDownPanel(int x, int y, const std::string& piece)
    : CScenarioMapDirectionPanel(x, y, piece, kDownLook) {}

CScenarioMapDirectionToLeftPanel::CScenarioMapDirectionToLeftPanel(int x, int y, const std::string& piece)
    : CScenarioMapDirectionPanel(x, y, piece, kLeftLook) {}

// ---- Codes of the map file ----

namespace {

template <class Panel>
std::unique_ptr<CScenarioMapPanelBase> MakeWithPiece(int x, int y, const std::string& piece) {
    return std::make_unique<Panel>(x, y, piece);
}

struct PanelCode {
    char code;
    bool prefix;  // the rest of the field is a label for the map's author
    std::unique_ptr<CScenarioMapPanelBase> (*make)(int x, int y, const std::string& piece);
};

// Tried in this order.
const PanelCode kPanelCodes[] = {
    {'a', false,
     [](int x, int y, const std::string&) -> std::unique_ptr<CScenarioMapPanelBase> {
         return std::make_unique<CScenarioMapOuterWallPanel>(x, y);
     }},
    {'b', false, MakeWithPiece<CScenarioMapWallPanel>},
    {'c', false,
     [](int x, int y, const std::string&) -> std::unique_ptr<CScenarioMapPanelBase> {
         return std::make_unique<CScenarioMapPlanePanel>(x, y);
     }},
    {'d', false, MakeWithPiece<CScenarioMapStagePanel>},
    {'e', true, MakeWithPiece<CScenarioMapTakaraPanel>},
    {'f', false, MakeWithPiece<CScenarioMapDoorPanel>},
    {'g', false, MakeWithPiece<CScenarioMapDirectionToUpPanel>},
    {'h', false, MakeWithPiece<CScenarioMapDirectionToRightPanel>},
    {'i', false, MakeWithPiece<CScenarioMapDirectionToDownPanel>},
    {'j', false, MakeWithPiece<CScenarioMapDirectionToLeftPanel>},
    {'k', true, MakeWithPiece<CScenarioMapWarpPanel>},
    {'l', false, MakeWithPiece<CScenarioMapBossStagePanel>},
    {'m', false, MakeWithPiece<CScenarioMapLastBossStagePanel>},
};

}  // namespace

namespace {
const PanelCode* FindPanelCode(const std::string& field) {
    if (field.empty()) return nullptr;
    for (const PanelCode& c : kPanelCodes) {
        if (field[0] == c.code && (c.prefix || field.size() == 1)) return &c;
    }
    return nullptr;
}
}  // namespace

bool IsScenarioMapPanelCode(const std::string& field) { return FindPanelCode(field) != nullptr; }

std::unique_ptr<CScenarioMapPanelBase> MakeScenarioMapPanel(const std::string& field, int x, int y,
                                                            const std::string& piece) {
    const PanelCode* c = FindPanelCode(field);
    return c ? c->make(x, y, piece) : nullptr;
}
