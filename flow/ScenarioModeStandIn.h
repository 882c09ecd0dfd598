#pragma once
// Stands in for the scenario mode scene until the world map exists.
#include <memory>

#include "engine/Music.h"
#include "flow/ComingSoonForm.h"
#include "flow/FormHostScenes.h"

class CScenarioModeStandInScene : public CFormHostScene {
  public:
    explicit CScenarioModeStandInScene(IScene* parent) : CFormHostScene(parent, MusicId::kSelectStage, true) {
        SetRootForm(std::make_unique<CComingSoonForm>(this, "シナリオモード",
                                                      "ワールドマップを歩いてステージに挑み、カギや宝物を\n集"
                                                      "めながら、最後のボスをめざすモードです。\n\n"
                                                      "このモードは、ただいま準備中です。"));
    }
};
