#pragma once
// The asking side of a network request: an object that adds itself to the accessor's listeners
// right before it starts a request, and takes itself off them when it goes away, so a result is
// never handed to an object that is gone.
#include <string>

#include "online/NetWorkAccessor.h"

class CNetWorkRequester : public INetWorkClosedEventHandler {
  public:
    ~CNetWorkRequester() override;
    CNetWorkRequester(const CNetWorkRequester&) = delete;
    CNetWorkRequester& operator=(const CNetWorkRequester&) = delete;

  protected:
    CNetWorkRequester() = default;
    // Listens for the result, then starts the request.
    void StartRequest(NetWorkOperation op, const std::string& s1 = {}, const std::string& s2 = {},
                      const std::string& s3 = {}, const std::string& s4 = {});
};
