#pragma once
// How the player fared with each downloaded stage, kept in "network\history.dat" and sent to
// the game server as an array of fixed records once a day.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "foundation/QuorException.h"
#include "foundation/Singleton.h"

namespace QVNet {
// The record the network library takes: five 32-bit ints in this order.
struct PlayHistory {
    int32_t stageId;
    int32_t playCount;
    int32_t playTicks;
    int32_t misses;
    int32_t rating;
};
}  // namespace QVNet

struct PlayHistoryRecord {
    std::string key = "ERROR";
    double misses = -1.0;
    double playTicks = -1.0;
    double rating = -1.0;
    int32_t playCount = -1;

    PlayHistoryRecord() = default;
    PlayHistoryRecord(std::string k, double m, double t, double r, int32_t c)
        : key(std::move(k)), misses(m), playTicks(t), rating(r), playCount(c) {}

    // key + "," + "%f,%f,%f,%d"
    std::string ToText() const;
    // Sums the three doubles (each held within 1e15 either way) and the play counts.
    void Add(const PlayHistoryRecord& other);
    QVNet::PlayHistory ToNetRecord() const;
};

// Creating the singleton loads the file (a failed load leaves no instance).
class CPlayHistory : public CSingleton<CPlayHistory> {
  public:
    // At most this many records are counted, sent and cleared by one upload.
    static constexpr int kMaxSentRecords = 256;
    // A play counts at most this many misses and ticks.
    static constexpr double kMaxMisses = 10.0;
    static constexpr double kMaxPlayTicks = 36000.0;

    // Loads again (reset).
    void Initialize();
    // Empty when "network\history.dat" is missing. A file that cannot be read ("DEF0100") or is
    // not a history ("DEF0101": not an encoded text, a line of more than 5 fields, a key that is
    // no CP932 text, or a sum that is no number or beyond 1e15 either way) is set aside
    // (SetAsideDamagedFile), the error noted for the player (NoteRecoveredError) and the history
    // left empty; only when the file cannot be set aside is the error thrown (CInitFileException).
    void Load();
    // Writes every record in key order; throws CDataFileException "DEF0102".
    void Save();

    // Adds one play (misses capped at 10, ticks at 36000) and saves. An empty key does nothing.
    void AddPlayRecord(const std::string& key, double misses, double playTicks, double rating);
    // The number of records one upload sends (at most 256).
    int GetCount() const;
    // The records one upload sends: the first GetCount() in key order.
    std::vector<QVNet::PlayHistory> CreateRecordArray() const;
    // After a successful upload: removes what CreateRecordArray sends (the first 256 in key
    // order) and saves; later records wait for the next upload.
    void ClearAndSave();

    // All records, in key order.
    const std::map<std::string, PlayHistoryRecord>& GetRecords() const { return records_; }

  private:
    friend class CSingleton<CPlayHistory>;
    CPlayHistory();
    static bool ParseRecords(const std::string& text, std::map<std::string, PlayHistoryRecord>& loaded);
    void SetAside(const CInitFileException& error);
    std::map<std::string, PlayHistoryRecord> records_;
};
