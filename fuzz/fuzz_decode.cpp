// The data-text decoder on arbitrary bytes: it rejects or decodes, and what it decodes encodes
// and decodes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/EncodedFile.h"
#include "foundation/Random.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> plain = DecodeDataText(text);
    if (plain) {
        if (plain->size() * 2 + 2 != text.size()) std::abort();
        SeedRandom(static_cast<uint32_t>(size));
        const std::optional<std::string> again = DecodeDataText(EncodeDataText(*plain));
        if (!again || *again != *plain) std::abort();
    }
    DecodeFileText(text);
    // The bytes as a plain text always survive the round trip.
    const std::optional<std::string> raw = DecodeDataText(EncodeDataText(text));
    if (!raw || *raw != text) std::abort();
    return 0;
}
