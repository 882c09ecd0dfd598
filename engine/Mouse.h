#pragma once
// The game's own mouse cursor (the system cursor is hidden over the client area), an image
// carried beside it while the editor drags a palette item, and two small markers.
#include <string>

#include "foundation/Singleton.h"

class CMouse : public CSingleton<CMouse> {
  public:
    // Cursor kind 0, carried image cleared, rectangle 0, both markers off.
    void Reset();
    void SetCursorKind(int kind) { kind_ = kind; }
    int GetCursorKind() const { return kind_; }
    void SetCarriedImage(const std::string& group, const std::string& key, int left, int top, int right,
                         int bottom);
    void ClearCarriedImage();
    bool IsCarrying() const { return carried_; }
    void ShowBadge1(bool on) { badge1_ = on; }
    void ShowBadge2(bool on) { badge2_ = on; }
    bool IsBadge1Shown() const { return badge1_; }
    bool IsBadge2Shown() const { return badge2_; }

    // Draws the cursor at the input manager's mouse position; last in every frame.
    void DrawCursor();
    // True when the mouse lies on the 640 x 480 screen.
    static bool IsOnScreen(int x, int y) { return x >= 0 && x < 640 && y >= 0 && y < 480; }

  private:
    friend class CSingleton<CMouse>;
    CMouse() = default;
    int kind_ = 0;
    bool carried_ = false;
    std::string carriedGroup_, carriedKey_;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    bool badge1_ = false, badge2_ = false;
};
