#include "editor/StagePostService.h"

namespace {
IStagePostService* g_service = nullptr;
}  // namespace

void SetStagePostService(IStagePostService* service) { g_service = service; }
IStagePostService* GetStagePostService() { return g_service; }
