#pragma once
// The HTTP side of the network library, open to tests: how a finished transfer becomes an error
// code and detail.
#include <string>

#include "online/QVNet.h"

namespace QVNet {

enum class Transfer {
    Ok,           // a whole reply arrived
    TimedOut,     // no whole reply in the time allowed
    NotResolved,  // the server's name did not resolve
    Refused,      // nothing listens at the address
    Dropped,      // the connection closed before the reply was whole
    TooLong,      // the reply is longer than its buffer
    Other,        // any other transport failure
};

struct Outcome {
    ErrorCode code = EC_OK;
    std::string detail;
};

// The outcome of a transfer: a transport failure as a network error; an HTTP reply with the
// server's error header as that code with the body as detail; any other status but 200 as a
// network error with the status as detail.
Outcome ClassifyTransfer(Transfer transfer, long status, const std::string& errorHeader,
                         const std::string& body);

}  // namespace QVNet
