#pragma once
// What the editor screen asks of the scene that hosts it: to close the editor, or to test-play a
// copy of the edited stage, each at the scene's next update. The editor scene implements it.
class IEditorOwner {
  public:
    virtual ~IEditorOwner() = default;
    virtual void RequestClose() = 0;
    virtual void RequestTestPlay() = 0;
};
