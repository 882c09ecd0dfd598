// The comma-separated table splitter on arbitrary text and table shapes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first two bytes choose the table: 1..16 fields, 1..256 lines.
    const int fields = 1 + (data[0] % 16);
    const int lines = 1 + data[1];
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    std::vector<std::string> table;
    const bool fitted = ParseCsvText(text, table, fields, lines);
    if (table.size() != static_cast<size_t>(fields) * static_cast<size_t>(lines)) std::abort();
    if (fitted) {
        // Every cell came from the text: no cell holds a separator.
        for (const std::string& cell : table) {
            if (cell.find_first_of(",\n\r") != std::string::npos) std::abort();
        }
    }
    return 0;
}
