#pragma once
// An uploaded stage is accepted only when the game's own stage reader reads it clean. What is
// stored is the reader's own writing of it, carrying the stage id the server gives it.
#include <optional>
#include <string>

namespace qvserver {

struct CheckedStage {
    std::string name;    // UTF-8
    std::string author;  // the stage's original author, UTF-8; may be empty
    // The stage file text (CP932) with `idToken` standing where the stage id goes.
    std::string fileText;
    std::string idToken;
};

struct StageCheck {
    std::optional<CheckedStage> stage;
    std::string failure;  // "S001" unreadable, "S002" nameless; empty when accepted
};

// Reads the CP932 bytes of a stage text. Safe from many threads; readers run one at a time.
StageCheck CheckStage(const std::string& cp932Text);

// The stored text: the checked text with the id in place.
std::string PlaceStageId(const CheckedStage& stage, long long id);

// Reads what the reader needs before the first upload (the object kind table), so that
// concurrent requests find it ready. Throws the reader's CQuorException when it cannot.
void PrepareStageReader();

}  // namespace qvserver
