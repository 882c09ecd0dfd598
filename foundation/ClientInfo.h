#pragma once
// The player's persisted identity, configuration and bought shop items: the XML document
// "network\client_info.dat" (top-level element clientInfo, document node "ROOT"), first taken
// from "network\client_info_init.dat". Every setter saves the whole document at once.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/QuorException.h"
#include "foundation/Singleton.h"

class CXmlNode;

// Created and loaded on first use (a failed load leaves no instance); deleted after Release at
// the end of the game.
class CClientInfo : public CSingleton<CClientInfo> {
  public:
    // Loads again (reset).
    void Initialize();
    // The end of the game: WriteBackup, then drops the list and the document. Defaults from the
    // initial file (the player's file was missing or unreadable) never replace a backup of the
    // same day.
    void Release();

    // Reads the player's file. When it is missing or cannot be read as client info (not XML, no
    // clientInfo element, a value element repeated or holding elements; missing value elements
    // are added empty), the newest backup that reads whole takes its place (DEF0204 for the
    // player); only without one do the defaults of the initial file take over (DEF0205 when a
    // player's file was there). Either is saved as the player's file at once, the very first start
    // too. A player's file that is there but unusable is first set aside (SetAsideDamagedFile,
    // never over an earlier one). Throws CInitFileException "DEF0200" (no player's file, no
    // backup, no initial file) or "DEF0201" (the initial file is damaged).
    void Load();
    // What the last Load did instead of reading the player's file, once: code and message.
    std::optional<StringPair> TakeLoadNotice();
    // Writes the document; throws CDataFileException "DEF0202" when it cannot be written.
    void Save();
    // Writes "network\client_info_bk" + yyyymmdd + ".dat"; throws CDataFileException "DEF0203".
    void WriteBackup();
    bool HasDocument() const { return doc_ != nullptr; }

    // Getters: the empty text, 0 or false without a document.
    bool HasCreatorId() const;
    std::string GetCreatorId() const;
    // "未登録" without a document or a creator id.
    std::string GetCreatorName() const;
    std::string GetCommonKey() const;
    int GetRatingPointSum() const;
    int GetCreatorPoint() const;
    int GetAccessFailCount() const;
    bool GetSendingPermission() const;
    int GetKeyConfigMode() const;
    int GetMusicVolume() const;
    int GetSoundEffectVolume() const;
    std::string GetLastBootUpDate() const;
    // Whether the item is owned (names compared whole, case-sensitively).
    bool IsItemBought(const std::string& itemName);

    // Setters: nothing without a document; otherwise set, then Save.
    // Registration: id, name, key, ratingPointSum "0", createrPoint "50"; Save and WriteBackup.
    void SetCreatorInfo(const std::string& creatorId, const std::string& creatorName,
                        const std::string& commonKey);
    // Deletion: id, name, key empty, both point values "0"; Save and WriteBackup.
    void ClearCreatorInfo();
    void AddRatingPoints(int points);
    // Stored as min(points, 99999).
    void SetCreatorPoint(int points);
    // createrPoint + trunc(points x 0.3), capped at 99999.
    void AddCreatorPointsFromRating(int points);
    void SetAccessFailCount(int count);
    void SetSendingPermission(bool permitted);
    void SetKeyConfigMode(int mode);
    void SetMusicVolume(int volume);
    void SetSoundEffectVolume(int volume);
    void SetLastBootUpDate(const std::string& date);
    // Appends a name not yet owned and saves; an owned name changes nothing.
    void AddBoughtItem(const std::string& itemName);
    // A purchase: the creator points less the price and the name among the bought items, saved
    // together in one write, so the file never holds the one without the other. A save that
    // fails puts both back as they were and throws CDataFileException "DEF0202".
    void BuyItem(const std::string& itemName, int price);

    // The list as it mirrors "ROOT.clientInfo.boughtItems".
    const std::vector<std::string>& GetBoughtItems() const { return boughtItems_; }

    ~CClientInfo();

  private:
    friend class CSingleton<CClientInfo>;
    CClientInfo();
    std::string Get(const char* path) const;
    int GetInt(const char* path) const;
    void Set(const char* path, const std::string& value);
    void LoadBoughtItems();
    void StoreBoughtItems();
    std::string BuildFileText();
    static std::string BackupPath();
    // The newest backup that reads whole, or null; `name` receives its file name.
    static std::unique_ptr<CXmlNode> LoadNewestBackup(std::string& name);
    void Adopt(std::unique_ptr<CXmlNode> doc, bool fromDefaults);
    void SaveAdopted();
    void SetNotice(const char* code, const std::string& detail);

    std::unique_ptr<CXmlNode> doc_;
    std::vector<std::string> boughtItems_;
    bool fromDefaults_ = false;  // the document came from the initial file
    std::optional<StringPair> notice_;
};

// The creator level 1..100 of the client info's rating-point sum.
int GetCreatorLevel();
