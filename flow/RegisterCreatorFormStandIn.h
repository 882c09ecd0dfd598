#pragma once
// Stands in for the creator registration form until the online screens exist.
#include "flow/ComingSoonForm.h"

class CRegisterCreatorFormStandIn : public CComingSoonForm {
  public:
    explicit CRegisterCreatorFormStandIn(IModeSceneHost* host)
        : CComingSoonForm(host, "クリエイター登録",
                          "クリエイターとして登録すると、つくったステージを\nみんなに公開できるようになります"
                          "。\n\nこの画面は、ただいま準備中です。") {}
};
