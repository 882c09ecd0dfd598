#pragma once
// Stands in for the editor scene until the stage editor exists.
#include <memory>

#include "engine/Music.h"
#include "flow/ComingSoonForm.h"
#include "flow/FormHostScenes.h"

class CEditorStandInScene : public CFormHostScene {
  public:
    explicit CEditorStandInScene(IScene* parent) : CFormHostScene(parent, MusicId::kEditor, true) {
        SetRootForm(std::make_unique<CComingSoonForm>(
            this, "ステージをつくる",
            "マップチップを置き、敵やしかけを並べて、\n自分だけのステージをつくるエディタです。\n\n"
            "このモードは、ただいま準備中です。"));
    }
};
