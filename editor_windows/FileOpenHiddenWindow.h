#pragma once
// Stand-in for the open sequence: it says that stages cannot be chosen yet and closes. Replaced
// by the real sequence (save first, kind of stage, file select).
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class IEditorWindowHost;

class CFileOpenHiddenWindow : public Controls::CStandInWindow {
  public:
    CFileOpenHiddenWindow(bool modified, IEditorWindowHost* host, bool unsaved, int32_t category,
                          const std::string& stageName);

  protected:
    bool OnAnswer(int32_t) override { return true; }
};
