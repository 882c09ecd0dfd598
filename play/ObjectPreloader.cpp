#include "play/ObjectPreloader.h"

#include <memory>

#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"

namespace {
const char* const kObjectStatus = "オブジェクト初期化中...";
}  // namespace

CObjectPreloader::CObjectPreloader(std::vector<std::string> groupNames, bool loadSounds)
    : groups_(std::move(groupNames)),
      stepCount_(static_cast<int>(groups_.size()) + 1 + (loadSounds ? 1 : 0)) {}

void CObjectPreloader::Step() {
    if (IsDone()) return;
    if (!imagesDone_) {
        if (stepIndex_ < static_cast<int>(groups_.size())) {
            CSpriteManager* sprites = CSpriteManager::GetInstance();
            const std::string& group = groups_[stepIndex_];
            if (beginGroup_) {
                sprites->BeginLoadGroup(group);
                beginGroup_ = false;
            }
            bool finished = false;
            for (int i = 0; i < 5; ++i) {
                statusText_ = sprites->LoadNextImage(group);
                progress_ = sprites->GetLoadPercent();
                if (progress_ > 99) {
                    finished = true;
                    break;
                }
            }
            if (!finished) return;
            ++stepIndex_;
            beginGroup_ = true;
        }
        if (groups_.empty() || stepIndex_ >= static_cast<int>(groups_.size())) {
            imagesDone_ = true;
            statusText_ = kObjectStatus;
        }
        return;
    }
    if (!objectsCreated_) {
        statusText_ = kObjectStatus;
        progress_ = 100;
        CreateAllObjectKinds();
        beginGroup_ = true;
        objectsCreated_ = true;
        ++stepIndex_;
        return;
    }
    beginGroup_ = false;
    CSoundEffects* se = CSoundEffects::GetInstance();
    for (int i = 0; i < 3; ++i) {
        statusText_ = se->LoadNext();
        progress_ = se->GetLoadPercent();
        if (progress_ > 99) {
            beginGroup_ = true;
            ++stepIndex_;
            return;
        }
    }
}

int CObjectPreloader::CreateAllObjectKinds() {
    // The registry is reached only once there is something to hand it, so a loading without any
    // registered class leaves it (and its relation table) untouched.
    CObjectRegistry* registry = nullptr;
    int built = 0;
    for (const LiveObjectPreload& kind : GetLiveObjectPreloads()) {
        std::unique_ptr<IBase> object = CreateLiveObject(kind.className, nullptr, 0.0, 0.0, kind.args);
        if (!object) continue;
        ++built;
        if (!registry) registry = CObjectRegistry::GetInstance();
        registry->Add(std::move(object));
    }
    if (registry) registry->Clear();
    return built;
}
