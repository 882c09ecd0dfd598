#pragma once
// Posting a stage to the sharing server, as the editor needs it: the online layer provides the
// service (its network accessor) and registers it at start; the editor starts a post and hears
// how it ended. Until a service is registered the editor cannot post.
#include <string>

class IStagePostListener {
  public:
    virtual ~IStagePostListener() = default;
    // Once per post the listener started: true with the stage id the server gave the stage, or
    // false (the player has seen the error) with an empty id.
    virtual void OnStagePosted(bool succeeded, const std::string& stageId) = 0;
};

class IStagePostService {
  public:
    virtual ~IStagePostService() = default;
    // Starts posting the stage text with the creator's id and key and the stage's background key.
    // False when refused (another request is running); the listener then hears nothing.
    virtual bool StartPost(const std::string& creatorId, const std::string& commonKey,
                           const std::string& backGroundKey, const std::string& stageXml,
                           IStagePostListener* listener) = 0;
    // The listener is not told about any post any more (it is going away).
    virtual void RemoveListener(IStagePostListener* listener) = 0;
};

// The registered service, not owned; null when none is.
void SetStagePostService(IStagePostService* service);
IStagePostService* GetStagePostService();
