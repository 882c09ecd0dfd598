#pragma once
// Stands in for the shop screen until the shop exists.
#include "flow/ComingSoonForm.h"

class CShopFormStandIn : public CComingSoonForm {
  public:
    explicit CShopFormStandIn(IModeSceneHost* host)
        : CComingSoonForm(host, "ショップ",
                          "クリエイターポイントで、エディタの部品や音楽、\n背景、天気を買えるお店です。\n\nこ"
                          "の画面は、ただいま準備中です。") {}
};
