#include "online/NetWorkAccessor.h"

namespace {
CNetWorkAccessor* g_accessor = nullptr;
}

CNetWorkAccessor* CNetWorkAccessor::GetInstance() {
    if (!g_accessor) g_accessor = new CNetWorkAccessor();
    return g_accessor;
}

bool CNetWorkAccessor::HasInstance() { return g_accessor != nullptr; }

void CNetWorkAccessor::DeleteInstance() {
    if (!g_accessor) return;
    g_accessor->Shutdown();
    delete g_accessor;
    g_accessor = nullptr;
}
