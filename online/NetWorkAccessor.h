#pragma once
// The network accessor: the one door between the game and the sharing server. It runs one
// request of the network library at a time, polls it once a frame, shows the busy window while
// it runs (the scenes stand still meanwhile), beeps while it waits, writes a start and an end line
// to the log, and hands the result to the objects that asked for it. It also saves a downloaded
// stage.
//
// Texts are UTF-8 here; they are CP932 on the wire.
#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "foundation/QuorException.h"
#include "foundation/Singleton.h"
#include "online/QVNet.h"

class CStage;

namespace Controls {
class CNetWorkBusyWindow;
class GCForm;
}  // namespace Controls

enum class NetWorkOperation : int {
    CheckServer = 0,
    RegisterCreator = 4,
    GetStage = 5,
    SearchStage = 6,
    SearchStageByDL = 7,
    GetNewStage = 8,
    RegisterStage = 9,
    DownloadStage = 11,
    DeleteStage = 12,
    DeleteCreator = 13,
    SendPlayHistory = 14,
    GetAppraisal = 15,
    None = 16,
};

struct NetWorkResult {
    bool Succeeded = false;
    std::string Text;
    std::string SubText;
};

class INetWorkClosedEventHandler {
  public:
    virtual ~INetWorkClosedEventHandler() = default;
    virtual void OnNetWorkClosed(NetWorkResult result) = 0;
};

class CNetWorkAccessor : public CSingleton<CNetWorkAccessor> {
  public:
    static constexpr unsigned kReplyBufferSize = 32768;
    static constexpr unsigned kAppraisalBufferSize = 80;
    // The beep's interval, in frames at 60 a second.
    static constexpr double kBeepFrames = 36.0;
    static constexpr int kSoundSucceeded = 0;
    static constexpr int kSoundBeep = 8;
    static constexpr int kSoundFailed = 9;

    // Appends a listener for the next request; callers add themselves right before Start.
    void AddClosedListener(INetWorkClosedEventHandler* listener);
    // Forgets a listener (one that goes away while it waits).
    void RemoveClosedListener(INetWorkClosedEventHandler* listener);
    // Starts a request. Refused, with nothing logged or shown, while one runs or for an operation
    // that is no request; a refused Start also drops the listeners added for it. The play
    // history records (operation 14) are kept here until the request ends.
    void Start(NetWorkOperation op, const std::string& s1 = {}, const std::string& s2 = {},
               const std::string& s3 = {}, const std::string& s4 = {},
               std::vector<QVNet::PlayHistory> records = {});
    // Once a frame, before the scenes update.
    void Poll();
    bool IsBusy() const;
    // Waits at most `limit` for the running request to end; true when none runs any more. Runs
    // without a window wait so before each frame: a scripted run then meets the same screens
    // at the same frames however long the server takes.
    bool WaitForRequest(std::chrono::milliseconds limit) const;
    // The busy window, over the scene.
    void Draw();
    // The game reset: drops the window, the request and the listeners.
    void Reset();
    // The end of the game.
    void Shutdown();

    // Reads a downloaded stage text with the stage reader and saves the text as it came as
    // "stage\downloaded\<id>.stg". The stage read is handed back to be played, so the text is
    // read once; its id is `stageId` (its plays are recorded under it), whatever id the text
    // itself names. Null (nothing written) when it is no stage or cannot be saved;
    // GetLastSaveError then holds the stage error (empty when the write failed).
    std::unique_ptr<CStage> SaveDownloadedStage(int stageId, const std::string& text);
    StringPair GetLastSaveError() const { return lastSaveError_; }

    // "[" + the code's name + "]\n" + the explanation of the code and detail. The operation
    // tells what a daily limit refused: a creator registration, else a post.
    static std::string FormatErrorText(int code, const std::string& detail,
                                       NetWorkOperation op = NetWorkOperation::None);

    NetWorkOperation GetOperation() const { return operation_; }
    Controls::CNetWorkBusyWindow* GetWindow() const { return window_.get(); }
    size_t GetListenerCount() const { return listeners_.size(); }

    void OnWindowClosed();

  private:
    friend class CSingleton<CNetWorkAccessor>;
    CNetWorkAccessor();
    ~CNetWorkAccessor();

    QVNet::Request Begin(NetWorkOperation op, const std::string& s1, const std::string& s2,
                         const std::string& s3, const std::string& s4);
    void OnProgress();
    void OnSucceeded();
    void OnFailed(QVNet::ErrorCode code, const std::string& detail);
    NetWorkResult BuildResult() const;
    // False when the reply of the operation cannot be what the server sends: a figure out of
    // its range or a list that does not hold what it announces.
    bool IsTrueReply(const NetWorkResult& result) const;
    void NotifyClosedListeners(const NetWorkResult& result);
    void ReleaseRequest();
    void DropWindow();

    class WindowClosedAdapter;

    NetWorkOperation operation_ = NetWorkOperation::None;
    QVNet::Request request_;
    QVNet::RequestState lastState_ = QVNet::kStateWaiting;
    double beepTimer_ = kBeepFrames;
    bool closeRequested_ = false;
    std::unique_ptr<Controls::CNetWorkBusyWindow> window_;
    std::unique_ptr<WindowClosedAdapter> adapter_;
    std::vector<INetWorkClosedEventHandler*> listeners_;
    // The listeners that wait for the running request; later ones belong to a refused Start.
    size_t runningListeners_ = 0;

    std::vector<char> replyBuffer_;
    std::array<char, QVNet::kCommonKeyBufferSize> commonKeyBuffer_{};
    int receivedCreatorId_ = 0;
    int receivedStageId_ = 0;
    std::array<char, kAppraisalBufferSize> appraisalBuffer_{};
    std::vector<char> downloadBuffer_;
    std::vector<QVNet::PlayHistory> records_;
    std::string stageText_;  // the CP932 text a post sends, kept while it runs
    StringPair lastSaveError_;
};
