#pragma once
// Stands in for the connection test form until the network exists.
#include "flow/ComingSoonForm.h"

class CNetWorkTestFormStandIn : public CComingSoonForm {
  public:
    explicit CNetWorkTestFormStandIn(IModeSceneHost* host)
        : CComingSoonForm(
              host, "通信テスト",
              "ゲームサーバーにつながるかどうかを\n確かめる画面です。\n\nこの画面は、ただいま準備中です。") {}
};
