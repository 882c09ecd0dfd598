#include "editor/ObjectClipboard.h"

#include "stage/StageAreaObject.h"

PlacedObjectValues PlacedObjectValues::Of(const CStageAreaObject& object) {
    return {object.GetKey(),        object.GetAttribute1(), object.GetAttribute2(),
            object.GetAttribute3(), object.GetAttribute4(), object.GetText()};
}

void ObjectClipboard::CopyFrom(const CStageAreaObject* object) {
    if (object) values = PlacedObjectValues::Of(*object);
}
