#pragma once
// The network library: the twelve requests the game sends to the stage-sharing server. Every
// Begin_ function returns a request object at once and works on a thread of its own; the game
// polls the object (GetState) and never waits. What a request receives is written into the
// caller's buffers only inside GetState, on the caller's thread, in the call that first reports
// state 2 - never while the caller might read them, and never once the request is gone.
//
// Texts on the wire are CP932 bytes; the buffers receive them as the server sent them.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "foundation/PlayHistory.h"

namespace QVNet {

enum ErrorCode : int {
    EC_OK = 0,
    EC_MAINTENANCE = 1,
    EC_RESTRICTED = 2,
    EC_AU_ERROR = 3,
    EC_DB_ERROR = 4,
    EC_NW_ERROR = 5,
    EC_PM_ERROR = 6,
    EC_ST_ERROR = 7,
    EC_OT_ERROR = 8,
};

// Request states, as GetState reports them.
enum RequestState : int {
    kStateWaiting = 0,
    kStateRunning = 1,
    kStateDone = 2,
    kStateFailed = 3,
};

// Details of network failures (the numbers the game's error texts know).
inline constexpr char kDetailTimeout[] = "12002";
inline constexpr char kDetailNameNotResolved[] = "12007";
inline constexpr char kDetailCannotConnect[] = "12029";
inline constexpr char kDetailConnectionDropped[] = "12030";
inline constexpr char kDetailBadReply[] = "12152";
// A request the library refused before sending (a missing or impossible argument).
inline constexpr char kDetailBadArgument[] = "P001";

// The sizes of the fixed reply buffers.
inline constexpr unsigned kCommonKeyBufferSize = 36;
// The largest stage a download may announce.
inline constexpr unsigned kMaxDownloadSize = 4u * 1024u * 1024u;

using Callback = void (*)(ErrorCode);

class ThreadObject {
  public:
    // 0 or 1 while the request runs, 2 when it has finished, 3 when it has failed.
    virtual int GetState() = 0;
    virtual ErrorCode GetErrorCode() = 0;
    // The failure's detail, zero-terminated; valid while the request lives.
    virtual const char* GetErrorDetail() = 0;
    // A running request that goes is abandoned and writes nothing any more.
    virtual ~ThreadObject() = default;
};

// A request, owned by whoever began it.
using Request = std::unique_ptr<ThreadObject>;

Request Begin_CheckServer(Callback callback);
Request Begin_RegisterCreator(const char* name, int& creatorId, char* commonKey, Callback callback);
Request Begin_GetStage(int creatorId, int start, int count, char* reply, unsigned size, Callback callback);
Request Begin_SearchStage(const char* name, int start, int count, char* reply, unsigned size,
                          Callback callback);
Request Begin_SearchStageByDL(int difficulty, int length, int start, int count, char* reply, unsigned size,
                              Callback callback);
Request Begin_GetNewStage(int count, char* reply, unsigned size, Callback callback);
Request Begin_RegisterStage(int creatorId, const char* commonKey, const char* backGroundKey, unsigned length,
                            const char* stageText, int& stageId, Callback callback);
Request Begin_DownloadStage(int stageId, unsigned size, char* buffer, Callback callback);
Request Begin_DeleteStage(int creatorId, const char* commonKey, int stageId, Callback callback);
Request Begin_DeleteCreator(int creatorId, const char* commonKey, Callback callback);
Request Begin_SendPlayHistory(int count, const PlayHistory* records, Callback callback);
Request Begin_GetAppraisal(int creatorId, char* reply, unsigned size, Callback callback);

// ---- The library behind the functions --------------------------------------------------------

// The twelve requests as one interface: the HTTP library, or a test's own.
class ILibrary {
  public:
    virtual ~ILibrary() = default;
    virtual Request CheckServer() = 0;
    virtual Request RegisterCreator(const char* name, int& creatorId, char* commonKey) = 0;
    virtual Request GetStage(int creatorId, int start, int count, char* reply, unsigned size) = 0;
    virtual Request SearchStage(const char* name, int start, int count, char* reply, unsigned size) = 0;
    virtual Request SearchStageByDL(int difficulty, int length, int start, int count, char* reply,
                                    unsigned size) = 0;
    virtual Request GetNewStage(int count, char* reply, unsigned size) = 0;
    virtual Request RegisterStage(int creatorId, const char* commonKey, const char* backGroundKey,
                                  unsigned length, const char* stageText, int& stageId) = 0;
    virtual Request DownloadStage(int stageId, unsigned size, char* buffer) = 0;
    virtual Request DeleteStage(int creatorId, const char* commonKey, int stageId) = 0;
    virtual Request DeleteCreator(int creatorId, const char* commonKey) = 0;
    virtual Request SendPlayHistory(int count, const PlayHistory* records) = 0;
    virtual Request GetAppraisal(int creatorId, char* reply, unsigned size) = 0;
};

// Not owned; null goes back to the HTTP library.
void SetLibrary(ILibrary* library);
ILibrary& GetHttpLibrary();

// ---- The HTTP library's settings -------------------------------------------------------------

// "http://host:port" (a trailing "/" is dropped). Empty: the address provider's, else
// QUORVALD_SERVER from the environment.
void SetServerAddress(const std::string& address);
// Asked once, when a request needs an address and none is set (the game starts its own server).
void SetAddressProvider(std::function<std::string()> provider);
// The address requests go to now (may ask the provider); empty when there is none.
std::string GetServerAddress();

struct Timeouts {
    std::chrono::milliseconds connect{10000};
    std::chrono::milliseconds total{60000};
};
void SetTimeouts(const Timeouts& timeouts);
Timeouts GetTimeouts();

// Waits until the request has left states 0 and 1 or the time has passed (tools and tests; the
// game polls instead). True when it has ended.
bool WaitForEnd(ThreadObject* request, std::chrono::milliseconds limit);
// Abandons every running request and waits for their threads (the end of the game).
void CancelAll();

}  // namespace QVNet
