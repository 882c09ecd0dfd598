// The engine's port under the widgets: a cached label takes one engine object while shown and
// gives it back when hidden, and one wholly off the screen asks for none.
#include <memory>

#include "controls/DisplayParts.h"
#include "controls/Forms.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "tests/common/headless_test.h"

using namespace Controls;

namespace {

class EnginePortTest : public testsupport::HeadlessTest {};

int UsedObjects() {
    int used = 0;
    for (int slot = elDraw::kFirstImageObject; slot < elDraw::kObjectCount; ++slot) {
        if (elDraw::GetObjectSlot(slot)) ++used;
    }
    return used;
}

TEST_F(EnginePortTest, CachedLabelHoldsOneObjectWhileShown) {
    COriginalBaseForm root;
    auto* label = root.AddControl(std::make_unique<CSpriteTextLabel>("キャッシュ", 10, 10, 120, 20));
    const int before = UsedObjects();
    root.Draw();
    root.Draw();
    EXPECT_EQ(UsedObjects(), before + 1);
    label->SetVisible(false);
    EXPECT_EQ(UsedObjects(), before);
    label->SetVisible(true);
    label->SetPosition(-500, 10);
    root.Draw();
    EXPECT_EQ(UsedObjects(), before);
    EXPECT_FALSE(elSystem::GetErrorFlag());
}

}  // namespace
