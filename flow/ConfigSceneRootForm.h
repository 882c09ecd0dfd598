#pragma once
// The settings screen: the music and sound-effect volumes, which key attacks and which jumps, and
// the daily automatic connection. A change takes effect and is saved in the frame the form sees
// it; O K keeps the changes, キャンセル and the close button put back what was in force when the
// screen opened. A save that fails is shown, and the screen goes on.
#include <cstdint>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "controls/ScrollBars.h"
#include "online/ModeSceneHost.h"

namespace Controls {

class CConfigSceneRootForm : public COriginalBaseForm,
                             public IPushedEventHandler,
                             public IClosedEventHandler {
  public:
    explicit CConfigSceneRootForm(IModeSceneHost* owner);

    void UpdateSelf() override;
    void Draw() override;
    void OnPushed(GCButton* sender) override;
    // The window of a failed save closed: leaving goes on.
    void OnClosed(GCForm* window) override;
    // Writes back the values the screen opened with and applies the volumes.
    void RestoreSettings();

    CBasicHorizontalScrollBar* GetMusicBar() const { return musicBar_; }
    CBasicHorizontalScrollBar* GetSoundEffectBar() const { return soundEffectBar_; }
    CExclusiveToggleButtonList* GetKeyList() const { return keyList_; }
    CExclusiveToggleButtonList* GetConnectionList() const { return connectionList_; }
    CTextPushButton* GetOkButton() const { return ok_; }
    CTextPushButton* GetCancelButton() const { return cancel_; }
    CTextPushButton* GetTestButton() const { return test_; }
    CBigCloseButton* GetCloseButton() const { return close_; }

  private:
    void Build();
    // Each setter of the settings file, run so that a failed save is shown instead of ending the
    // screen.
    template <class Save>
    void Saving(Save save);
    // Leaves, with the settings as they are or as they were.
    void Leave(bool restore);

    IModeSceneHost* owner_;
    CTextPushButton* ok_ = nullptr;
    CTextPushButton* cancel_ = nullptr;
    CBigCloseButton* close_ = nullptr;
    CTextPushButton* test_ = nullptr;
    CBasicHorizontalScrollBar* musicBar_ = nullptr;
    CBasicHorizontalScrollBar* soundEffectBar_ = nullptr;
    CExclusiveToggleButtonList* keyList_ = nullptr;
    CExclusiveToggleButtonList* connectionList_ = nullptr;
    int32_t lastMusic_ = 0, lastSoundEffect_ = 0;
    int32_t lastKeyIndex_ = -1, lastConnectionIndex_ = -1;
    int32_t initialMusic_, initialSoundEffect_, initialKeyMode_;
    bool initialPermission_;
    bool leaving_ = false;
};

}  // namespace Controls
