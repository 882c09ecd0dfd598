#include "play/ObjectPreloader.h"

#include <memory>

#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "play/ObjectRegistry.h"

namespace {
const char* const kObjectStatus = "オブジェクト初期化中...";
}  // namespace

const std::vector<CObjectPreloader::ObjectKind>& CObjectPreloader::GetObjectKinds() {
    // Enemies take their facing (left) first, then their variant; hazards their direction and
    // timing; items their starting velocity; lifts their axis and phase; switches their colour;
    // the events their mode and an empty key.
    static const std::vector<ObjectKind> kinds = {
        // Enemies.
        {"CKid001", {false}},
        {"CKid002", {false}},
        {"CPukka001", {}},
        {"CChop001", {false, 0}},
        {"CChop001", {false, 1}},
        {"CGun001", {false, 0}},
        {"CGun001", {false, 1}},
        {"CMoyashi001", {false}},
        {"CMoyashi002", {false}},
        {"CFlower001", {}},
        {"CFlower002", {}},
        {"CIceSculpture001", {false}},
        {"CDrill001", {false}},
        {"CTonFar001", {false}},
        {"CProfessor001", {false}},
        {"CFish001", {false, 0, 0}},
        {"CFish_Controller001", {false}},
        {"CFish002", {false}},
        {"CFish003", {false}},
        {"CBat001", {0}},
        {"CBat001", {1}},
        {"CSphere001", {0}},
        {"CSphere001", {1}},
        {"CCaterpillar001", {false, 3}},
        {"CCaterpillar001", {false, 5}},
        {"CCaterpillar001", {false, 7}},
        {"CMegane001", {false, 0}},
        {"CMegane001", {false, 1}},
        {"CTornado001", {false, 0}},
        {"CTornado001", {false, 1}},
        {"CIchigo001", {false}},
        {"COtoBall001", {false}},
        {"CNeedle001", {false}},
        {"CNageru001", {false, 0}},
        {"CNageru001", {false, 1}},
        {"CSkyMobile001", {false}},
        {"CMagician_Controller001", {false}},
        // Hazards.
        {"CNormalBattery", {0, 0}},
        {"CNormalBattery", {1, 0}},
        {"CNormalBattery", {2, 0}},
        {"CNormalBattery", {3, 0}},
        {"CBurner", {0, 0}},
        {"CBurner", {1, 0}},
        {"CBurner", {2, 0}},
        {"CBurner", {3, 0}},
        {"CIronBall", {}},
        {"CSwitchBomb", {}},
        {"CFloatingBomb", {}},
        {"CAirGear", {0, 0.0}},
        {"CAirGear", {1, 0.0}},
        {"CDevilHouse", {}},
        // Items.
        {"CPokikki", {0.0, 0.0}},
        {"CAirPokikki", {}},
        {"CUmaibo", {0.0, 0.0}},
        {"CIceBar", {0.0, 0.0}},
        {"C1UP", {false}},
        {"CPowerUpBar", {0.0, 0.0, 2}},
        {"CPowerUpBar", {0.0, 0.0, 3}},
        {"CPowerUpBar", {0.0, 0.0, 4}},
        {"CPowerUpBar", {0.0, 0.0, 5}},
        {"CKey", {0.0, 0.0}},
        {"CStageFlag", {}},
        // Doors, warps and the goal.
        {"CDoorA", {}},
        {"CDoorB", {}},
        {"CShutter", {}},
        {"CCaveHoleA", {}},
        {"CCaveHoleB", {}},
        {"CKeyDoor", {}},
        {"CWarpPoint", {}},
        {"CInvisibleWarpPoint", {}},
        {"CEnemyZeroDoor", {}},
        {"CNormalGoal", {}},
        // Lifts.
        {"CRoundTripLift", {true, 0.0}},
        {"CRoundTripLift", {true, 3.7}},
        {"CRoundTripLift", {false, 1.5}},
        {"CRoundTripLift", {false, 5.2}},
        {"CFallingLift", {}},
        {"CRightMoveLift", {}},
        {"CLeftMoveLift", {}},
        {"CRisingLift", {}},
        {"CCustomLift", {std::string()}},
        // Blocks.
        {"CWoodBlock001", {}},
        {"CStoneBlock001", {}},
        {"CStoneBlock002", {}},
        {"CStoneBlock003", {}},
        // Switches.
        {"CPushSwitch", {0}},
        {"CTimerSwitch", {0}},
        {"CChangeSwitch", {0}},
        {"CDevilSwitch", {0}},
        {"CSpringSwitch", {0}},
        {"CForceSwitch", {0}},
        // Stage events.
        {"CChangeMusicEvent", {0, std::string()}},
        {"CChangeMusicEvent", {1, std::string()}},
        {"CChangeMusicEvent", {2, std::string()}},
        {"CChangeMusicEvent", {3, std::string()}},
        {"CChangeWeatherEvent", {0, std::string()}},
        {"CChangeWeatherEvent", {1, std::string()}},
        {"CChangeWeatherEvent", {2, std::string()}},
        {"CChangeWeatherEvent", {3, std::string()}},
        {"CChangeZoomRateEvent", {0}},
        {"CChangeZoomRateEvent", {1}},
        {"CChangeZoomRateEvent", {2}},
        {"CChangeZoomRateEvent", {3}},
    };
    return kinds;
}

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

void CObjectPreloader::CreateAllObjectKinds() {
    // The registry is reached only once there is something to hand it, so a loading without any
    // registered class leaves it (and its relation table) untouched.
    CObjectRegistry* registry = nullptr;
    for (const ObjectKind& kind : GetObjectKinds()) {
        std::unique_ptr<IBase> object(CreateLiveObject(kind.className, nullptr, 0.0, 0.0, kind.args));
        if (!object) continue;
        if (!registry) registry = CObjectRegistry::GetInstance();
        registry->Add(std::move(object));
    }
    if (registry) registry->Clear();
}
