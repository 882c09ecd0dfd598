#include "flow/LoadingScene.h"

#include <numbers>

#include "engine/Music.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elText.h"
#include "play/ObjectPreloader.h"

namespace {
constexpr double kHalfPi = std::numbers::pi / 2.0;
constexpr uint32_t kMagenta = 0xFF00FF;  // red 255, blue 255
constexpr uint32_t kBlue = 0xFF0000;     // blue 255
}  // namespace

CLoading::CLoading(const std::vector<std::string>& groupNames, bool objectStep, IScene* parent)
    : IScene(parent),
      preloader_(std::make_unique<CObjectPreloader>(groupNames, objectStep)),
      stepCount_(static_cast<int>(groupNames.size()) + (objectStep ? 1 : 0)) {}

CLoading::~CLoading() = default;

void CLoading::Start() { PlayMusic(MusicId::kNone); }

void CLoading::Update() {
    preloader_->Step();
    if (preloader_->IsDone()) Close();
    angle_ += angleStep_;
    if (angle_ > kHalfPi) angle_ = -kHalfPi;
}

void CLoading::Draw() {
    if (!emblem_) emblem_ = CreateSprite("System", "System001", 2, 0, 0, 128, 32);
    if (!emblem_) return;
    emblem_->x = 0.0f;
    emblem_->y = -0.0625f;
    emblem_->angleY = static_cast<float>(angle_);
    emblem_->ApplyTransform();
    emblem_->Draw();
}

uint32_t CLoading::DotColor(int i) const { return i < preloader_->GetStepsDone() ? kMagenta : kBlue; }

void CLoading::DrawOverlay() {
    elDraw::CreateFont(1, 14, 0, 0, false, false);
    elDraw::SetTextColors(0xC0C0C0, 0, true);
    elDraw::TextOut(220, 304, preloader_->GetStatusText());
    elDraw::ReleaseFont();
    for (int i = 0; i < stepCount_; ++i) elDraw::DrawArc(DotX(i), 272, 6, DotColor(i), 1);
}
