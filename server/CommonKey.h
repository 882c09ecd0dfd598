#pragma once
// A creator's common key: 128 random bits from the system's generator, shown to the creator once
// as 32 hexadecimal digits and stored only as a salted SHA-256 hash.
#include <optional>
#include <string>

#include "server/StageStore.h"

namespace qvserver {

inline constexpr size_t kCommonKeyLength = 32;

// A new key; nothing when the system gives no random bytes.
std::optional<std::string> NewCommonKey();
// The salt and hash to store for a key; nothing when the system gives no random bytes.
std::optional<StoredKey> StoreKey(const std::string& key);
// Whether the key matches what was stored, compared in constant time.
bool KeyMatches(const std::string& key, const StoredKey& stored);
// Lower-case hexadecimal of bytes.
std::string ToHex(const std::string& bytes);

}  // namespace qvserver
