#include "online/NetWorkAccessor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "controls/ControlPort.h"
#include "controls/NetWorkBusyWindow.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Log.h"
#include "foundation/TextConvert.h"
#include "foundation/TextEncoding.h"
#include "online/EmbeddedServer.h"
#include "online/StageMetaInfo.h"
#include "stage/Stage.h"

namespace {

using Op = NetWorkOperation;

// The common key the server gives at registration: 32 hexadecimal digits.
constexpr size_t kCommonKeyDigits = 32;

struct OperationTexts {
    Op op;
    const char* progress;
    const char* end;
};

// Progress message and end log line of every request.
const OperationTexts kTexts[] = {
    {Op::CheckServer, "接続テスト中です…", " [通信テスト終了]"},
    {Op::RegisterCreator, "クリエイター情報登録中です…", " [クリエイター情報登録終了]"},
    {Op::GetStage, "クリエイター情報取得中です…", " [ステージ情報検索（クリエイターID検索）終了]"},
    {Op::SearchStage, "ステージ検索中です…", " [ステージ情報検索（クリエイター名検索）終了]"},
    {Op::SearchStageByDL, "ステージ検索中です…", " [ステージ情報検索（難しさ・長さ検索）終了]"},
    {Op::GetNewStage, "新着ステージ検索中です…", " [ステージ情報検索（新着順検索）終了]"},
    {Op::RegisterStage, "ステージデータ登録中です…", " [ステージデータ新規登録終了]"},
    {Op::DownloadStage, "ステージデータ\nダウンロード中です…", " [ステージデータダウンロード終了]"},
    {Op::DeleteStage, "ステージデータ削除中です…", " [ステージデータ削除終了]"},
    {Op::DeleteCreator, "クリエイター情報削除中です…\nもう後戻りはできません…",
     " [クリエイター情報削除終了]"},
    {Op::SendPlayHistory, "履歴情報を送信しています…", " [ステージプレイ履歴送信終了]"},
    {Op::GetAppraisal, "獲得クリエイターポイントを\n問い合わせています…", " [獲得評価取得終了]"},
};

const OperationTexts* TextsOf(Op op) {
    for (const OperationTexts& t : kTexts) {
        if (t.op == op) return &t;
    }
    return nullptr;
}

std::string StartLine(Op op, const std::string& s1, const std::string& s2, const std::string& s3,
                      const std::string& s4) {
    switch (op) {
        case Op::CheckServer:
            return " [通信テスト開始]";
        case Op::RegisterCreator:
            return " [クリエイター情報登録開始  ユーザー名:[" + s1 + "]]";
        case Op::GetStage:
            return " [ステージ情報検索（クリエイターID検索）開始  クリエイターID:[" + s1 + "]]";
        case Op::SearchStage:
            return " [ステージ情報検索（クリエイター名検索）開始  クリエイター名:[" + s1 +
                   "]] 取得開始位置:[" + s2 + "]] 取得数:[" + s3 + "]]";
        case Op::SearchStageByDL:
            return " [ステージ情報検索（難しさ・長さ検索）開始  難しさ:[" + s1 + "]] 長さ:[" + s2 +
                   "]] 取得開始位置:[" + s3 + "]] 取得数:[" + s4 + "]]";
        case Op::GetNewStage:
            return " [ステージ情報検索（新着順検索）開始  取得数:[" + s1 + "]]";
        case Op::RegisterStage:
            return " [ステージデータ新規登録開始]";
        case Op::DownloadStage:
            return " [ステージデータダウンロード開始  ステージID:[" + s1 + "]  データサイズ:[" + s2 + "]]";
        case Op::DeleteStage:
            return " [ステージデータ削除開始  削除ステージID:[" + s3 + "]]";
        case Op::DeleteCreator:
            return " [クリエイター情報削除開始]";
        case Op::SendPlayHistory:
            return " [ステージプレイ履歴送信開始]";
        case Op::GetAppraisal:
            return " [獲得評価取得開始]";
        case Op::None:
            break;
    }
    return {};
}

// The text in a buffer up to its first zero (never beyond the buffer), as UTF-8.
std::string BufferText(const char* buffer, size_t size) {
    size_t n = 0;
    while (n < size && buffer[n] != '\0') ++n;
    return Cp932ToUtf8(std::string(buffer, n));
}

void Log(const std::string& line) { CLog::GetInstance()->Write(line); }

}  // namespace

class CNetWorkAccessor::WindowClosedAdapter : public Controls::IClosedEventHandler {
  public:
    void OnClosed(Controls::GCForm*) override { CNetWorkAccessor::GetInstance()->OnWindowClosed(); }
};

CNetWorkAccessor::CNetWorkAccessor()
    : adapter_(std::make_unique<WindowClosedAdapter>()), replyBuffer_(kReplyBufferSize, '\0') {}

CNetWorkAccessor::~CNetWorkAccessor() { Shutdown(); }

void CNetWorkAccessor::AddClosedListener(INetWorkClosedEventHandler* listener) {
    if (listener) listeners_.push_back(listener);
}

void CNetWorkAccessor::RemoveClosedListener(INetWorkClosedEventHandler* listener) {
    for (size_t i = listeners_.size(); i-- > 0;) {
        if (listeners_[i] != listener) continue;
        listeners_.erase(listeners_.begin() + static_cast<std::ptrdiff_t>(i));
        if (i < runningListeners_) --runningListeners_;
    }
}

void CNetWorkAccessor::Start(Op op, const std::string& s1, const std::string& s2, const std::string& s3,
                             const std::string& s4, std::vector<QVNet::PlayHistory> records) {
    // A running request keeps its window and its listeners; whoever asked now is not told of a
    // result that is not his. So is an operation that is no request.
    if (request_ || !TextsOf(op)) {
        listeners_.resize(std::min(runningListeners_, listeners_.size()));
        return;
    }
    Log("[ネットワークアクセス開始]");
    lastState_ = QVNet::kStateWaiting;
    beepTimer_ = 0.0;
    records_ = std::move(records);
    request_ = Begin(op, s1, s2, s3, s4);
    Log(StartLine(op, s1, s2, s3, s4));
    operation_ = op;
    runningListeners_ = listeners_.size();
    DropWindow();
    window_ = std::make_unique<Controls::CNetWorkBusyWindow>("接続の準備をしています…");
    window_->AddClosedEventHandler(adapter_.get());
    // A library that gives no request object: the request has failed already.
    if (!request_) OnFailed(QVNet::EC_OT_ERROR, "");
}

QVNet::Request CNetWorkAccessor::Begin(Op op, const std::string& s1, const std::string& s2,
                                       const std::string& s3, const std::string& s4) {
    const std::string c1 = Utf8ToCp932(s1), c2 = Utf8ToCp932(s2), c3 = Utf8ToCp932(s3);
    switch (op) {
        case Op::CheckServer:
            return QVNet::Begin_CheckServer(nullptr);
        case Op::RegisterCreator:
            commonKeyBuffer_.fill('\0');
            receivedCreatorId_ = 0;
            return QVNet::Begin_RegisterCreator(c1.c_str(), receivedCreatorId_, commonKeyBuffer_.data(),
                                                nullptr);
        case Op::GetStage:
            replyBuffer_[0] = '\0';
            return QVNet::Begin_GetStage(StrToInt(s1), 0, 0, replyBuffer_.data(), kReplyBufferSize, nullptr);
        case Op::SearchStage:
            replyBuffer_[0] = '\0';
            return QVNet::Begin_SearchStage(c1.c_str(), StrToInt(s2), StrToInt(s3), replyBuffer_.data(),
                                            kReplyBufferSize, nullptr);
        case Op::SearchStageByDL:
            replyBuffer_[0] = '\0';
            return QVNet::Begin_SearchStageByDL(StrToInt(s1), StrToInt(s2), StrToInt(s3), StrToInt(s4),
                                                replyBuffer_.data(), kReplyBufferSize, nullptr);
        case Op::GetNewStage:
            replyBuffer_[0] = '\0';
            return QVNet::Begin_GetNewStage(StrToInt(s1), replyBuffer_.data(), kReplyBufferSize, nullptr);
        case Op::RegisterStage:
            receivedStageId_ = 0;
            stageText_ = Utf8ToCp932(s4);
            return QVNet::Begin_RegisterStage(StrToInt(s1), c2.c_str(), c3.c_str(),
                                              static_cast<unsigned>(stageText_.size()), stageText_.c_str(),
                                              receivedStageId_, nullptr);
        case Op::DownloadStage: {
            // The size comes from a reply: one that is impossible reserves nothing, and the
            // library refuses the request.
            downloadBuffer_.clear();
            downloadBuffer_.shrink_to_fit();
            const int size = StrToInt(s2);
            if (size <= 0 || static_cast<unsigned>(size) > QVNet::kMaxDownloadSize) {
                return QVNet::Begin_DownloadStage(StrToInt(s1), 0, nullptr, nullptr);
            }
            downloadBuffer_.assign(static_cast<size_t>(size), '\0');
            return QVNet::Begin_DownloadStage(StrToInt(s1), static_cast<unsigned>(size),
                                              downloadBuffer_.data(), nullptr);
        }
        case Op::DeleteStage:
            return QVNet::Begin_DeleteStage(StrToInt(s1), c2.c_str(), StrToInt(s3), nullptr);
        case Op::DeleteCreator:
            return QVNet::Begin_DeleteCreator(StrToInt(s1), c2.c_str(), nullptr);
        case Op::SendPlayHistory: {
            const int count = std::clamp(StrToInt(s1), 0, static_cast<int>(records_.size()));
            return QVNet::Begin_SendPlayHistory(count, records_.data(), nullptr);
        }
        case Op::GetAppraisal:
            appraisalBuffer_.fill('\0');
            return QVNet::Begin_GetAppraisal(StrToInt(s1), appraisalBuffer_.data(), kAppraisalBufferSize,
                                             nullptr);
        case Op::None:
            break;
    }
    return nullptr;
}

void CNetWorkAccessor::Poll() {
    closeRequested_ = false;
    if (!request_) {
        lastState_ = QVNet::kStateWaiting;
    } else {
        const auto s = static_cast<QVNet::RequestState>(request_->GetState());
        if (s != lastState_) {
            switch (s) {
                case QVNet::kStateWaiting:
                    break;
                case QVNet::kStateRunning:
                    OnProgress();
                    break;
                case QVNet::kStateDone:
                    OnSucceeded();
                    break;
                case QVNet::kStateFailed: {
                    const QVNet::ErrorCode code = request_->GetErrorCode();
                    const char* detail = request_->GetErrorDetail();
                    OnFailed(code, detail ? detail : "");
                    break;
                }
            }
        }
        if (s == QVNet::kStateWaiting || s == QVNet::kStateRunning) {
            beepTimer_ += GetFrameTime() * 60.0;
            if (beepTimer_ > kBeepFrames) {
                beepTimer_ = 0.0;
                Controls::Port().PlaySound(kSoundBeep);
            }
        }
        lastState_ = s;
    }
    if (window_) window_->Update();
    if (closeRequested_ && window_) DropWindow();
}

void CNetWorkAccessor::OnProgress() {
    const OperationTexts* t = TextsOf(operation_);
    if (t && window_) window_->SetMessage(t->progress);
}

NetWorkResult CNetWorkAccessor::BuildResult() const {
    NetWorkResult r;
    r.Succeeded = true;
    switch (operation_) {
        case Op::RegisterCreator:
            r.Text = std::to_string(receivedCreatorId_);
            r.SubText = BufferText(commonKeyBuffer_.data(), commonKeyBuffer_.size());
            break;
        case Op::GetStage:
        case Op::SearchStage:
        case Op::SearchStageByDL:
        case Op::GetNewStage:
            r.Text = BufferText(replyBuffer_.data(), replyBuffer_.size());
            break;
        case Op::RegisterStage:
            r.Text = std::to_string(receivedStageId_);
            break;
        case Op::DownloadStage:
            r.Text = BufferText(downloadBuffer_.data(), downloadBuffer_.size());
            break;
        case Op::GetAppraisal:
            r.Text = BufferText(appraisalBuffer_.data(), appraisalBuffer_.size());
            break;
        case Op::CheckServer:
        case Op::DeleteStage:
        case Op::DeleteCreator:
        case Op::SendPlayHistory:
            break;
        case Op::None:
            r.Succeeded = false;
            break;
    }
    return r;
}

bool CNetWorkAccessor::IsTrueReply(const NetWorkResult& result) const {
    switch (operation_) {
        case Op::RegisterCreator:
            return receivedCreatorId_ > 0 && result.SubText.size() == kCommonKeyDigits &&
                   std::all_of(result.SubText.begin(), result.SubText.end(),
                               [](unsigned char c) { return std::isxdigit(c) != 0; });
        case Op::GetStage:
        case Op::SearchStage:
        case Op::SearchStageByDL:
        case Op::GetNewStage:
            return CStageMetaInfoList::IsTrueReply(result.Text);
        case Op::RegisterStage:
            return receivedStageId_ > 0;
        case Op::GetAppraisal: {
            // Rating points are earned, never owed: the sum runs from 0.
            const auto points = ParseWholeInt32(result.Text);
            return points && *points >= 0;
        }
        case Op::CheckServer:
        case Op::DownloadStage:  // the stage reader checks the text before it is kept
        case Op::DeleteStage:
        case Op::DeleteCreator:
        case Op::SendPlayHistory:
        case Op::None:
            break;
    }
    return true;
}

void CNetWorkAccessor::OnSucceeded() {
    ReleaseRequest();
    const NetWorkResult result = BuildResult();
    // A reply that cannot be true is a bad reply: shown as the network error it is, and the
    // listeners learn of a failure as of any other.
    if (!IsTrueReply(result)) {
        OnFailed(QVNet::EC_NW_ERROR, QVNet::kDetailBadReply);
        return;
    }
    Controls::Port().PlaySound(kSoundSucceeded);
    if (const OperationTexts* t = TextsOf(operation_)) Log(t->end);
    DropWindow();
    Log("[ネットワークアクセス正常終了]");
    records_.clear();
    stageText_.clear();
    NotifyClosedListeners(result);
}

void CNetWorkAccessor::OnFailed(QVNet::ErrorCode code, const std::string& detail) {
    Controls::Port().PlaySound(kSoundFailed);
    // `detail` is the caller's own copy: it outlives the request released here.
    ReleaseRequest();
    records_.clear();
    stageText_.clear();
    if (const OperationTexts* t = TextsOf(operation_)) Log(t->end);
    Log("[ネットワークアクセス異常終了]");
    // The detail comes from the server: shown as text, never trusted as more.
    const std::string text = FormatErrorText(code, Cp932ToUtf8(detail), operation_);
    Log(text);
    if (window_) {
        window_->SetMessage("接続中にエラーが発生しました！\n" + text);
        window_->ShowButton();
        window_->StopAnimation();
        window_->SetTitle("エラー詳細");
    }
}

void CNetWorkAccessor::OnWindowClosed() {
    closeRequested_ = true;
    NotifyClosedListeners(NetWorkResult{});
}

void CNetWorkAccessor::NotifyClosedListeners(const NetWorkResult& result) {
    // The list is taken first: a listener that asks again (from its next update) starts afresh.
    std::vector<INetWorkClosedEventHandler*> told;
    told.swap(listeners_);
    runningListeners_ = 0;
    for (INetWorkClosedEventHandler* l : told) l->OnNetWorkClosed(result);
}

bool CNetWorkAccessor::IsBusy() const { return request_ != nullptr || window_ != nullptr; }

bool CNetWorkAccessor::WaitForRequest(std::chrono::milliseconds limit) const {
    return QVNet::WaitForEnd(request_.get(), limit);
}

void CNetWorkAccessor::Draw() {
    if (window_) window_->Draw();
}

void CNetWorkAccessor::ReleaseRequest() { request_.reset(); }

void CNetWorkAccessor::DropWindow() { window_.reset(); }

void CNetWorkAccessor::Reset() {
    DropWindow();
    downloadBuffer_.clear();
    ReleaseRequest();
    records_.clear();
    stageText_.clear();
    operation_ = Op::None;
    lastState_ = QVNet::kStateWaiting;
    listeners_.clear();
    runningListeners_ = 0;
}

void CNetWorkAccessor::Shutdown() {
    Reset();
    QVNet::CancelAll();
    StopEmbeddedServer();
}

std::unique_ptr<CStage> CNetWorkAccessor::SaveDownloadedStage(int stageId, const std::string& text) {
    lastSaveError_ = StringPair{};
    std::unique_ptr<CStage> stage;
    try {
        stage = CStage::ReadXml(nullptr, text, 0);
        // A text without a stage structure is no stage either.
        if (!stage) throw CStageDataException("SDE0006", "ステージの構造が不正です。");
    } catch (const CQuorException& e) {
        lastSaveError_ = StringPair{e.GetCode(), e.GetMessage()};
        Log(FormatErrorReport(e));
        return nullptr;
    }
    // The list's id, not the one the text names: a server may write another there, or none.
    stage->SetId(std::to_string(stageId));
    char name[64];
    std::snprintf(name, sizeof name, "%d.stg", stageId);
    CreateFolder("stage");
    CreateFolder("stage\\downloaded");
    if (!WriteEncodedFile(std::string("stage\\downloaded\\") + name, text, false, true)) {
        Log("ファイルが保存できません。");
        return nullptr;
    }
    Log(std::string("ファイル") + name + "を保存しました。");
    return stage;
}

std::string CNetWorkAccessor::FormatErrorText(int code, const std::string& detail, Op op) {
    using namespace QVNet;
    struct Name {
        ErrorCode code;
        const char* name;
    };
    static const Name kNames[] = {
        {EC_OK, "EC_OK"},
        {EC_MAINTENANCE, "EC_MAINTENANCE"},
        {EC_RESTRICTED, "EC_RESTRICTED"},
        {EC_AU_ERROR, "EC_AU_ERROR"},
        {EC_DB_ERROR, "EC_DB_ERROR"},
        {EC_NW_ERROR, "EC_NW_ERROR"},
        {EC_PM_ERROR, "EC_PM_ERROR"},
        {EC_ST_ERROR, "EC_ST_ERROR"},
        {EC_OT_ERROR, "EC_OT_ERROR"},
    };
    struct Row {
        ErrorCode code;
        const char* detail;  // null: any other detail, which follows the text in parentheses
        const char* text;
    };
    static const Row kRows[] = {
        {EC_DB_ERROR, "08000", "データベースに接続できませんでした。"},
        {EC_DB_ERROR, "23502", "入力値が不正です。"},
        {EC_DB_ERROR, "23505", "その名前は既に使っている人がいます。他の名前を入力してください。"},
        {EC_DB_ERROR, nullptr, "未知のデータベースエラーが発生しました。"},
        {EC_NW_ERROR, "403", "アクセスが拒否されました。(403 Forbidden)"},
        {EC_NW_ERROR, "404", "接続先が見付かりません。(404 Not Found)"},
        {EC_NW_ERROR, "500", "サーバ内部エラーが発生しました。(500 Internal Server Error)"},
        {EC_NW_ERROR, kDetailTimeout, "接続がタイムアウトしました。(12002)"},
        {EC_NW_ERROR, kDetailNameNotResolved, "DNS名前解決エラーが発生しました。(12007)"},
        {EC_NW_ERROR, kDetailCannotConnect, "サーバに接続することができません。(12029)"},
        {EC_NW_ERROR, nullptr, "未知のネットワークエラーが発生しました。"},
        {EC_PM_ERROR, kDetailBadArgument, "入力パラメータが不足しています。"},
        {EC_PM_ERROR, "P002", "クリエイター情報が存在しません。"},
        {EC_PM_ERROR, "P003", "ステージ情報が存在しません。"},
        {EC_PM_ERROR, nullptr, "未知の入力パラメータエラーが発生しました。"},
        {EC_ST_ERROR, "S001", "ステージデータが壊れています。"},
        {EC_ST_ERROR, "S002", "ステージ名が付いていません。"},
        {EC_ST_ERROR, "S003", "ステージデータが壊れています。"},
        {EC_ST_ERROR, nullptr, "未知のステージデータエラーが発生しました。"},
    };
    // A daily limit refuses either a new creator (the server counts them per address) or a post
    // (counted per creator): the operation tells which.
    static constexpr char kRegistrationLimit[] =
        "今日はこの回線からこれ以上\nクリエイターを登録できません。\n明日また試してください。";
    const Name* known = nullptr;
    for (const Name& n : kNames) {
        if (n.code == code) known = &n;
    }
    std::string out = std::string("[") + (known ? known->name : "EC_UNEXPECTED") + "]\n";
    if (!known) return out + "原因不明のエラーが発生しました。";
    switch (known->code) {
        case EC_OK:
            return out + "エラーは特にありませんでした。";
        case EC_MAINTENANCE:
            return out + detail;
        case EC_RESTRICTED:
            if (op == Op::RegisterCreator) return out + kRegistrationLimit;
            return out + "投稿回数オーバーです！\n1日あたり" + detail + "回しか投稿できません。";
        case EC_AU_ERROR:
            return out + "認証エラーが発生しました。";
        case EC_OT_ERROR:
            return out + "エラーが発生しました。";
        case EC_DB_ERROR:
        case EC_NW_ERROR:
        case EC_PM_ERROR:
        case EC_ST_ERROR:
            break;
    }
    for (const Row& r : kRows) {
        if (r.code != known->code) continue;
        if (!r.detail) return out.append(r.text).append("(").append(detail).append(")");
        if (detail == r.detail) return out + r.text;
    }
    return out;
}
