// The library's functions hand each request to the library in use (the HTTP one unless a test
// put its own in place); the callback is never called, the game polls.
#include "online/QVNet.h"

namespace QVNet {
namespace {
ILibrary* g_library = nullptr;
ILibrary& Lib() { return g_library ? *g_library : GetHttpLibrary(); }
}  // namespace

void SetLibrary(ILibrary* library) { g_library = library; }

Request Begin_CheckServer(Callback) { return Lib().CheckServer(); }
Request Begin_RegisterCreator(const char* name, int& creatorId, char* commonKey, Callback) {
    return Lib().RegisterCreator(name, creatorId, commonKey);
}
Request Begin_GetStage(int creatorId, int start, int count, char* reply, unsigned size, Callback) {
    return Lib().GetStage(creatorId, start, count, reply, size);
}
Request Begin_SearchStage(const char* name, int start, int count, char* reply, unsigned size, Callback) {
    return Lib().SearchStage(name, start, count, reply, size);
}
Request Begin_SearchStageByDL(int difficulty, int length, int start, int count, char* reply, unsigned size,
                              Callback) {
    return Lib().SearchStageByDL(difficulty, length, start, count, reply, size);
}
Request Begin_GetNewStage(int count, char* reply, unsigned size, Callback) {
    return Lib().GetNewStage(count, reply, size);
}
Request Begin_RegisterStage(int creatorId, const char* commonKey, const char* backGroundKey, unsigned length,
                            const char* stageText, int& stageId, Callback) {
    return Lib().RegisterStage(creatorId, commonKey, backGroundKey, length, stageText, stageId);
}
Request Begin_DownloadStage(int stageId, unsigned size, char* buffer, Callback) {
    return Lib().DownloadStage(stageId, size, buffer);
}
Request Begin_DeleteStage(int creatorId, const char* commonKey, int stageId, Callback) {
    return Lib().DeleteStage(creatorId, commonKey, stageId);
}
Request Begin_DeleteCreator(int creatorId, const char* commonKey, Callback) {
    return Lib().DeleteCreator(creatorId, commonKey);
}
Request Begin_SendPlayHistory(int count, const PlayHistory* records, Callback) {
    return Lib().SendPlayHistory(count, records);
}
Request Begin_GetAppraisal(int creatorId, char* reply, unsigned size, Callback) {
    return Lib().GetAppraisal(creatorId, reply, size);
}

}  // namespace QVNet
