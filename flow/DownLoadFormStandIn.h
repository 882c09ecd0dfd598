#pragma once
// Stands in for the download screen's four forms until the online screens exist: one form for
// every id, which keeps no stage list.
#include <memory>
#include <string>

#include "flow/ComingSoonForm.h"

class CDownLoadFormStandIn : public CComingSoonForm {
  public:
    explicit CDownLoadFormStandIn(IModeSceneHost* host)
        : CComingSoonForm(host, "ステージセレクト",
                          "クリエイターが公開したステージを探して、\nダウンロードして遊べる画面です。\n\n"
                          "この画面は、ただいま準備中です。") {}
};

// The form of a download form id (0..3), for the scene that hosts it; `keptListText` is the
// newest-stage list a top form held before.
inline std::unique_ptr<Controls::GCForm> MakeDownLoadForm(int, IDownLoadSceneHost* host, const std::string&) {
    return std::make_unique<CDownLoadFormStandIn>(host);
}

// Copies the newest-stage list of a top form into `keptListText`; other forms leave it alone.
inline void KeepDownLoadListText(Controls::GCForm&, std::string&) {}
