#pragma once
// How a request of the network library ended, waited for by the test.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "online/QVNet.h"

namespace onlinetest {

struct Ended {
    int state;
    QVNet::ErrorCode code;
    std::string detail;
};

// Waits for the request's end (bounded by the test's own limit, never by a sleep) and lets it go.
inline Ended Finish(QVNet::Request r) {
    EXPECT_TRUE(QVNet::WaitForEnd(r.get(), std::chrono::seconds(20)));
    return {r->GetState(), r->GetErrorCode(), r->GetErrorDetail()};
}

}  // namespace onlinetest
