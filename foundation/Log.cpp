#include "foundation/Log.h"

#include <cstdio>

#include "foundation/DateTime.h"
#include "foundation/EncodedFile.h"

namespace {
std::string g_logFolder;
}

CLog::CLog() { g_logFolder = "log"; }

CLog* CLog::GetInstance() {
    static CLog instance;
    return &instance;
}

std::string CLog::GetFilePath() const {
    return g_logFolder + "\\log" + CDateTime().FormatDateCompact() + ".log";
}

std::string EscapeLogText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    char hex[8];
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // U+0080..U+009F, two bytes in UTF-8.
            std::snprintf(hex, sizeof hex, "\\u%04x", next);
            out += hex;
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void CLog::Write(const std::string& text) {
    if (!DirExists(g_logFolder)) CreateFolder(g_logFolder);
    const CDateTime now;
    const std::string line =
        "[" + now.FormatDateCompact() + " " + now.FormatTime() + "] " + EscapeLogText(text) + "\n";
    WriteEncodedFile(GetFilePath(), line, true, false);
}
