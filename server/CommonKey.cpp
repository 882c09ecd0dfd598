#include "server/CommonKey.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include "platform/secure_random.h"

namespace qvserver {
namespace {

constexpr size_t kSaltBytes = 16;

std::optional<std::string> RandomBytes(size_t n) {
    std::string bytes(n, '\0');
    if (!plat::FillSecureRandom(bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

std::string Sha256Hex(const std::string& salt, const std::string& key) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr);
    EVP_DigestUpdate(ctx, salt.data(), salt.size());
    EVP_DigestUpdate(ctx, key.data(), key.size());
    EVP_DigestFinal_ex(ctx, digest, &len);
    EVP_MD_CTX_free(ctx);
    return ToHex(std::string(reinterpret_cast<const char*>(digest), len));
}

}  // namespace

std::string ToHex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

std::optional<std::string> NewCommonKey() {
    auto bytes = RandomBytes(kCommonKeyLength / 2);
    if (!bytes) return std::nullopt;
    return ToHex(*bytes);
}

std::optional<StoredKey> StoreKey(const std::string& key) {
    auto salt = RandomBytes(kSaltBytes);
    if (!salt) return std::nullopt;
    const std::string saltHex = ToHex(*salt);
    return StoredKey{saltHex, Sha256Hex(saltHex, key)};
}

bool KeyMatches(const std::string& key, const StoredKey& stored) {
    const std::string hash = Sha256Hex(stored.salt, key);
    return hash.size() == stored.hash.size() &&
           CRYPTO_memcmp(hash.data(), stored.hash.data(), hash.size()) == 0;
}

}  // namespace qvserver
