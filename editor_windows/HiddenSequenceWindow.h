#pragma once
// The invisible form that walks the player through the questions of one editor command (new,
// open, save, close, test play, post). The editor makes it the modal form of its root form; it
// shows one dialog at a time as its own modal form, takes the answer when that dialog closes,
// and ends by closing itself, which tells whoever opened it (the editor, or a sequence that runs
// this one as a step).
//
// A dialog closes inside its own button handler, so the answer only chooses the next step: the
// step's dialog opens at the window's next update, once the closed dialog has been dropped.
#include <cstdint>
#include <memory>

#include "controls/Forms.h"

class CHiddenSequenceWindow : public Controls::COriginalBaseForm, public Controls::IClosedEventHandler {
  public:
    // The pending step when no dialog waits to be opened.
    static constexpr int32_t kNoStep = 0;

    void UpdateSelf() override;
    void OnClosed(Controls::GCForm* sender) override;

    // The step whose dialog is open or about to open.
    int32_t GetCurrentStep() const { return current_; }
    // The step whose dialog the next update opens (kNoStep: none).
    int32_t GetPendingStep() const { return pending_; }
    bool IsEnded() const { return GetState() == Controls::kStateClosed; }

  protected:
    CHiddenSequenceWindow(int32_t width, int32_t height, int32_t startStep);

    // The dialog of a step; null for a number that is no step of this window.
    virtual std::unique_ptr<Controls::GCForm> MakeDialog(int32_t step) = 0;
    // The dialog of `step` has closed; read its answer and go to another step or end.
    virtual void OnDialogClosed(int32_t step, Controls::GCForm* dialog) = 0;

    // The answer of a yes/no or yes/no/cancel question (Controls::kResultYes, kResultNo,
    // kResultCancel); any other window counts as cancelled.
    static int32_t AnswerOf(const Controls::GCForm* dialog);
    // Whether a nested save sequence saved the stage.
    static bool WasSaved(const Controls::GCForm* dialog);

    void GoTo(int32_t step) { current_ = pending_ = step; }
    // After "save first?": yes goes to the nested save, no straight on to `next`, cancel ends.
    void GoOnAfterSaveQuestion(const Controls::GCForm* dialog, int32_t saveStep, int32_t next);
    // After the nested save: on to `next` when it saved, else the sequence ends.
    void GoOnAfterSave(const Controls::GCForm* dialog, int32_t next);
    void End() { Close(); }
    // Shows the dialog of the current step now (the first dialog of a window that opens one at
    // once). A step without a dialog ends the sequence rather than leave it waiting unseen.
    void OpenCurrentDialog();

  private:
    int32_t current_;
    int32_t pending_;
};
