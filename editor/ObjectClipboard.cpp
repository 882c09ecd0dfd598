#include "editor/ObjectClipboard.h"

#include "stage/StageAreaObject.h"

void ObjectClipboard::Clear() { *this = ObjectClipboard(); }

void ObjectClipboard::CopyFrom(const CStageAreaObject* object) {
    if (!object) return;
    key = object->GetKey();
    a1 = object->GetAttribute1();
    a2 = object->GetAttribute2();
    a3 = object->GetAttribute3();
    a4 = object->GetAttribute4();
    text = object->GetText();
}
