#pragma once
// Stands in for the creator account screen until the online screens exist.
#include "flow/ComingSoonForm.h"

class CAdminCreatorFormStandIn : public CComingSoonForm {
  public:
    explicit CAdminCreatorFormStandIn(IModeSceneHost* host)
        : CComingSoonForm(host, "クリエイターのへや",
                          "公開したステージの評価や、クリエイターポイントを\n確かめられる画面です。\n\nこの画"
                          "面は、ただいま準備中です。") {}
};
