#pragma once
// The editor's copied object: kind, four attributes and text, pasted as a new object.
#include <string>

class CStageAreaObject;

class ObjectClipboard {
  public:
    void Clear();
    // Copies the object's kind, attributes and text; a null object changes nothing.
    void CopyFrom(const CStageAreaObject* object);
    bool IsEmpty() const { return key.empty(); }

    const std::string& GetKey() const { return key; }
    double GetAttribute1() const { return a1; }
    double GetAttribute2() const { return a2; }
    double GetAttribute3() const { return a3; }
    double GetAttribute4() const { return a4; }
    const std::string& GetText() const { return text; }

  private:
    std::string key;
    double a1 = 0, a2 = 0, a3 = 0, a4 = 0;
    std::string text;
};
