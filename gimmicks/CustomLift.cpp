#include "gimmicks/CustomLift.h"

#include "foundation/FrameTime.h"
#include "gimmicks/GimmickSupport.h"

namespace {

enum Command {
    kLeft,
    kRight,
    kUp,
    kDown,
    kUpLeft,
    kUpRight,
    kDownLeft,
    kDownRight,
    kPause,
    kFaster,
    kSlower
};

constexpr double kDiagonal = 0.7;

}  // namespace

const char* CustomLiftCommand::Label(const std::string& letter) {
    static const char* const kLabels[kLetterCount] = {"左へ",     "右へ",           "上へ",          "下へ",
                                                      "左上へ",   "右上へ",         "左下へ",        "右下へ",
                                                      "一時停止", "スピードアップ", "スピードダウン"};
    for (int i = 0; i < kLetterCount; ++i)
        if (letter == kLetters[i]) return kLabels[i];
    return "！エラー！";
}

CCustomLift::CCustomLift(CStage* ownerStage, double px, double py, const std::string& route)
    : ILift(ownerStage, px, py) {
    width = 128;
    height = 16;
    vx = vy = ax = ay = 0.0;
    removeWhenOffScreen = true;
    route_.reserve(route.size());
    for (char c : route) route_.push_back(static_cast<signed char>(CommandOf(std::string(1, c))));
    image_ = MakeObjectSprite("Objects001", 0, 80, 128, 96);
    sprite = image_.get();
}

int CCustomLift::CommandOf(const std::string& command) {
    for (int i = 0; i < CustomLiftCommand::kLetterCount; ++i)
        if (command == CustomLiftCommand::kLetters[i]) return i;
    return -1;
}

bool CCustomLift::IsStepCommand(const std::string& command) {
    const int c = CommandOf(command);
    return c >= kLeft && c <= kPause;
}

bool CCustomLift::ExecuteCommand(const std::string& command) { return Execute(CommandOf(command)); }

bool CCustomLift::Execute(int command) {
    const double s = speed_;
    switch (command) {
        case kLeft:
            vx = -s, vy = 0.0;
            break;
        case kRight:
            vx = s, vy = 0.0;
            break;
        case kUp:
            vx = 0.0, vy = -s;
            break;
        case kDown:
            vx = 0.0, vy = s;
            break;
        case kUpLeft:
            vx = -kDiagonal * s, vy = -kDiagonal * s;
            break;
        case kUpRight:
            vx = kDiagonal * s, vy = -kDiagonal * s;
            break;
        case kDownLeft:
            vx = -kDiagonal * s, vy = kDiagonal * s;
            break;
        case kDownRight:
            vx = kDiagonal * s, vy = kDiagonal * s;
            break;
        case kPause:
            vx = vy = 0.0;
            break;
        case kFaster:
            SpeedUp();
            break;
        case kSlower:
            SpeedDown();
            break;
        default:
            break;  // not a command: skipped
    }
    return command >= kLeft && command <= kPause;
}

void CCustomLift::SpeedUp() {
    if (speed_ >= kSlowest && speed_ < kFastest && speed_ % 30 == 0) speed_ += 30;
}

void CCustomLift::SpeedDown() {
    if (speed_ > kSlowest && speed_ <= kFastest && speed_ % 30 == 0) speed_ -= 30;
}

bool CCustomLift::Step() {
    if (route_.empty()) return false;
    if (routeIndex_ >= route_.size()) routeIndex_ = 0;
    const bool stepped = Execute(route_[routeIndex_]);
    if (++routeIndex_ >= route_.size()) routeIndex_ = 0;
    return stepped;
}

void CCustomLift::RunBoundary() {
    // Letters that are not steps run on to the next step; one pass over the route at most.
    for (size_t i = 0; i < route_.size(); ++i)
        if (Step()) break;
}

void CCustomLift::Update() {
    BeginFrame();
    Move();
    if (started_) {
        stepDistance_ += speed_ * GetFrameTime();
        if (stepDistance_ >= kStepLength) {
            stepDistance_ -= kStepLength;  // the overshoot carries over, so the timing never drifts
            RunBoundary();
        }
    } else if (IsHeroRiding()) {
        started_ = true;
        RunBoundary();  // the first command runs in the frame of landing
    }
    EndFrame();
}
