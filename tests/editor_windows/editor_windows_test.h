#pragma once
// The fixture of the editor windows' tests: the widget tests' recording port and helpers.
#include <string>
#include <vector>

#include "tests/controls/control_test.h"

namespace editorwindowtest {

class EditorWindowTest : public controltest::ControlTest {};

}  // namespace editorwindowtest
