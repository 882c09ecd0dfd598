#pragma once
// A placed object's kind, attributes and text, and the editor's copied object, which is pasted
// as a new object.
#include <string>

class CStageAreaObject;

// What copying, deleting or configuring an object keeps of it.
struct PlacedObjectValues {
    std::string key;
    double a1 = 0, a2 = 0, a3 = 0, a4 = 0;
    std::string text;

    static PlacedObjectValues Of(const CStageAreaObject& object);
};

class ObjectClipboard {
  public:
    void Clear() { values = PlacedObjectValues(); }
    // Copies the object's kind, attributes and text; a null object changes nothing.
    void CopyFrom(const CStageAreaObject* object);
    bool IsEmpty() const { return values.key.empty(); }

    const PlacedObjectValues& GetValues() const { return values; }
    const std::string& GetKey() const { return values.key; }
    double GetAttribute1() const { return values.a1; }
    double GetAttribute2() const { return values.a2; }
    double GetAttribute3() const { return values.a3; }
    double GetAttribute4() const { return values.a4; }
    const std::string& GetText() const { return values.text; }

  private:
    PlacedObjectValues values;
};
