#pragma once
// The player's progress in the scenario mode: the hero's cell on the world map, the lives, the
// door keys, the state of every map panel and two flags, as the element tree of
// "data\scenario_save.dat" (defaults from "data\scenario_save_init.dat"). Changes stay in
// memory; only Save writes the file.
#include <string>

#include "foundation/Singleton.h"

// Creating the singleton loads the file and may throw; the instance exists before it loads, so
// a failed load leaves it in place.
class CScenarioSaveData : public CSingleton<CScenarioSaveData> {
  public:
    virtual ~CScenarioSaveData();

    // CDataFileException "DEF0300" when neither file can be read (the tree stays as it was),
    // "DEF0301" when the text is not well-formed XML, has no savedata element or repeats one of
    // its values or holds elements in one (no tree afterwards). A value missing from the file
    // reads empty and is added, so that setting it is saved.
    void Load();
    void Reload() { Load(); }
    // CDataFileException "DEF0302" when the file cannot be written (the tree stays).
    void Save();
    bool HasTree() const;

    int GetX() const;
    int GetY() const;
    int GetKisuu() const;
    int GetKeyNum() const;
    void SetPosition(int x, int y);
    void SetKisuu(int n);
    void SetKeyNum(int n);
    std::string GetPanelsString() const;
    void SetPanelsString(const std::string& text);
    bool GetShownOpening() const;
    void SetShownOpening(bool shown);
    void SetCleared(bool cleared);

  private:
    friend class CSingleton<CScenarioSaveData>;
    CScenarioSaveData();
    void OnInstanceCreated() { Load(); }
    std::string Get(const char* element) const;
    void Set(const char* element, const std::string& value);
};
