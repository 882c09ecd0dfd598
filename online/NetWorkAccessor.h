#pragma once
// The network accessor: runs one request of the network library at a time and polls it each
// frame. Until the online layer's requests exist it never has a request: it is never busy and
// draws nothing.

class CNetWorkAccessor {
  public:
    static CNetWorkAccessor* GetInstance();
    static bool HasInstance();
    static void DeleteInstance();

    // Once a frame: nothing while no request runs.
    void Poll() {}
    // True while a request or its message window exists.
    bool IsBusy() const { return false; }
    // The network message window, when one exists.
    void Draw() {}
    // Destroys the message window, the download buffer and the request object.
    void Reset() {}
    // The same, and the window's close adapter.
    void Shutdown() {}

  private:
    CNetWorkAccessor() = default;
};
