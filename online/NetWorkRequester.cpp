#include "online/NetWorkRequester.h"

CNetWorkRequester::~CNetWorkRequester() {
    if (CNetWorkAccessor::HasInstance()) CNetWorkAccessor::GetInstance()->RemoveClosedListener(this);
}

void CNetWorkRequester::StartRequest(NetWorkOperation op, const std::string& s1, const std::string& s2,
                                     const std::string& s3, const std::string& s4) {
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    net->AddClosedListener(this);
    net->Start(op, s1, s2, s3, s4);
}
