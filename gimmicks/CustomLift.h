#pragma once
// The custom lift: a lift whose path the stage's author writes as a route of one-letter commands
// in the editor. It waits for the hero, then runs one command per 32 pixels of travel and starts
// over at the end of the route for as long as it stays in play.
//
// The route comes straight from a stage file, so it may be of any length and hold any bytes:
// letters outside "A" to "K" are skipped, and the route is read once into command codes so that a
// long route costs nothing per frame beyond the commands it runs.
#include <string>
#include <vector>

#include "gimmicks/Lifts.h"

// The route letters, shared with the editor's route window.
namespace CustomLiftCommand {
inline constexpr const char* kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"};
inline constexpr int kLetterCount = 11;
// The editor's label of a letter ("！エラー！" for anything else) and of the wrap to the start.
const char* Label(const std::string& letter);
inline constexpr const char* kWrapLabel = "（最初に戻る）";
}  // namespace CustomLiftCommand

class CCustomLift : public ILift {
  public:
    static constexpr double kStepLength = 32.0;
    static constexpr int kSlowest = 60, kStartSpeed = 120, kFastest = 180;

    // x, y: the lift's top-left (centred over its tile).
    CCustomLift(CStage* owner, double x, double y, const std::string& route);
    void Update() override;

    // Runs the command at the route index and moves on (wrapping); true for a step command.
    bool Step();
    // Applies one command; true when it is one of the step letters "A" to "I".
    bool ExecuteCommand(const std::string& command);
    static bool IsStepCommand(const std::string& command);
    void SpeedUp();
    void SpeedDown();

    int GetSpeed() const { return speed_; }
    size_t GetRouteIndex() const { return routeIndex_; }
    bool IsStarted() const { return started_; }

  private:
    // 0..10 for "A".."K", -1 for anything else.
    static int CommandOf(const std::string& command);
    bool Execute(int command);
    void RunBoundary();

    std::vector<signed char> route_;
    size_t routeIndex_ = 0;
    int speed_ = kStartSpeed;
    bool started_ = false;
    double stepDistance_ = 0.0;
    OwnedSprite image_;
};
