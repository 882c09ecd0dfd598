#pragma once
// The network accessor: runs one request of the network library at a time and polls it each
// frame. Until the online layer's requests exist it never has a request: it is never busy and
// draws nothing.
#include "foundation/Singleton.h"

// Deleting the accessor shuts it down first.
class CNetWorkAccessor : public CSingleton<CNetWorkAccessor> {
  public:
    // Once a frame: nothing while no request runs.
    void Poll() {}
    // True while a request or its message window exists.
    bool IsBusy() const { return false; }
    // The network message window, when one exists.
    void Draw() {}
    // Nothing: with no request there is no message window, download buffer or request object
    // to drop.
    void Reset() {}
    // Nothing, for the same reason.
    void Shutdown() {}

  private:
    friend class CSingleton<CNetWorkAccessor>;
    CNetWorkAccessor() = default;
    ~CNetWorkAccessor() { Shutdown(); }
};
