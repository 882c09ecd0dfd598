#pragma once
// What the editor's windows ask of the editor that hosts them. The editor implements it and
// hands itself to the windows that work on the stage (the new, open, save, close, test-play and
// post sequences); the windows never see the editor's own class.
#include <memory>
#include <string>
#include <vector>

#include "editor_windows/StageFileDialogs.h"

class IEditorWindowHost {
  public:
    virtual ~IEditorWindowHost() = default;
    // The problems that keep the edited stage from being saved, test-played or posted; empty
    // when there are none or there is no stage.
    virtual std::vector<std::string> CheckStage() = 0;
    // The edited stage's name; empty without a stage.
    virtual std::string GetStageName() = 0;
    // Reads the file into a new edited stage (the old one stays on failure); with keepFileName
    // the file becomes the stage's file. Throws CQuorException (SDE0007, SDE0006, ...).
    virtual void OpenStage(const std::string& path, bool keepFileName) = 0;
    // The three saves: under a new name made of the local date and time, over the stage's file,
    // or renamed and under a new name. Each returns the notice to show; throws CQuorException
    // (SDE0009) when the file cannot be written.
    virtual std::unique_ptr<Controls::CStageSavedWindow> SaveUnderNewFileName() = 0;
    virtual std::unique_ptr<Controls::CStageSavedWindow> SaveToCurrentFile() = 0;
    virtual std::unique_ptr<Controls::CStageSavedWindow> SaveAsNew(const std::string& name) = 0;
};
