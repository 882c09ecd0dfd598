#pragma once
// A network library whose requests the test moves through their states by hand.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "online/QVNet.h"

namespace onlinetest {

// What the test sees of a request; it outlives the request object the game holds.
struct FakeRequest {
    int state = QVNet::kStateWaiting;
    QVNet::ErrorCode code = QVNet::EC_OK;
    std::string detail;
    bool released = false;  // the game let the request go
};

class FakeRequestObject : public QVNet::ThreadObject {
  public:
    explicit FakeRequestObject(std::shared_ptr<FakeRequest> r) : r_(std::move(r)) {}
    ~FakeRequestObject() override { r_->released = true; }
    FakeRequestObject(const FakeRequestObject&) = delete;
    FakeRequestObject& operator=(const FakeRequestObject&) = delete;
    int GetState() override { return r_->state; }
    QVNet::ErrorCode GetErrorCode() override { return r_->code; }
    const char* GetErrorDetail() override { return r_->detail.c_str(); }

  private:
    std::shared_ptr<FakeRequest> r_;
};

struct Call {
    std::string name;
    std::vector<std::string> args;
};

class FakeLibrary : public QVNet::ILibrary {
  public:
    FakeLibrary() { QVNet::SetLibrary(this); }
    ~FakeLibrary() override { QVNet::SetLibrary(nullptr); }

    std::vector<Call> calls;
    std::vector<std::shared_ptr<FakeRequest>> requests;
    bool giveNothing = false;  // the next request comes back null
    char* reply = nullptr;     // the buffer of the last text request
    unsigned replySize = 0;
    int* outId = nullptr;
    std::vector<QVNet::PlayHistory> history;

    FakeRequest* Last() { return requests.empty() ? nullptr : requests.back().get(); }
    // The last request finishes with this text in its buffer.
    void Succeed(const std::string& text = {}) {
        if (reply && replySize > 0) {
            const size_t n = std::min<size_t>(text.size(), replySize - 1);
            std::memcpy(reply, text.data(), n);
            reply[n] = '\0';
        }
        Last()->state = QVNet::kStateDone;
    }
    void Fail(QVNet::ErrorCode code, const std::string& detail) {
        Last()->code = code;
        Last()->detail = detail;
        Last()->state = QVNet::kStateFailed;
    }

    QVNet::Request CheckServer() override { return Make("CheckServer", {}); }
    QVNet::Request RegisterCreator(const char* name, int& id, char* key) override {
        outId = &id;
        Text(key, QVNet::kCommonKeyBufferSize);
        return Make("RegisterCreator", {name});
    }
    QVNet::Request GetStage(int id, int start, int count, char* r, unsigned size) override {
        Text(r, size);
        return Make("GetStage", {std::to_string(id), std::to_string(start), std::to_string(count)});
    }
    QVNet::Request SearchStage(const char* name, int start, int count, char* r, unsigned size) override {
        Text(r, size);
        return Make("SearchStage", {name, std::to_string(start), std::to_string(count)});
    }
    QVNet::Request SearchStageByDL(int d, int l, int start, int count, char* r, unsigned size) override {
        Text(r, size);
        return Make("SearchStageByDL",
                    {std::to_string(d), std::to_string(l), std::to_string(start), std::to_string(count)});
    }
    QVNet::Request GetNewStage(int count, char* r, unsigned size) override {
        Text(r, size);
        return Make("GetNewStage", {std::to_string(count), std::to_string(size)});
    }
    QVNet::Request RegisterStage(int id, const char* key, const char* bg, unsigned length, const char* text,
                                 int& stageId) override {
        outId = &stageId;
        return Make("RegisterStage", {std::to_string(id), key, bg, std::string(text, length)});
    }
    QVNet::Request DownloadStage(int id, unsigned size, char* buffer) override {
        Text(buffer, size);
        return Make("DownloadStage", {std::to_string(id), std::to_string(size), buffer ? "buffer" : "null"});
    }
    QVNet::Request DeleteStage(int id, const char* key, int stage) override {
        return Make("DeleteStage", {std::to_string(id), key, std::to_string(stage)});
    }
    QVNet::Request DeleteCreator(int id, const char* key) override {
        return Make("DeleteCreator", {std::to_string(id), key});
    }
    QVNet::Request SendPlayHistory(int count, const QVNet::PlayHistory* records) override {
        history.assign(records, records + count);
        return Make("SendPlayHistory", {std::to_string(count)});
    }
    QVNet::Request GetAppraisal(int id, char* r, unsigned size) override {
        Text(r, size);
        return Make("GetAppraisal", {std::to_string(id), std::to_string(size)});
    }

  private:
    void Text(char* r, unsigned size) {
        reply = r;
        replySize = size;
    }
    QVNet::Request Make(const std::string& name, std::vector<std::string> args) {
        calls.push_back({name, std::move(args)});
        if (giveNothing) {
            giveNothing = false;
            return nullptr;
        }
        requests.push_back(std::make_shared<FakeRequest>());
        return std::make_unique<FakeRequestObject>(requests.back());
    }
};

}  // namespace onlinetest
