#include "foundation/Log.h"

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

void CLog::Write(const std::string& text) {
    if (!DirExists(g_logFolder)) CreateFolder(g_logFolder);
    const CDateTime now;
    const std::string line = "[" + now.FormatDateCompact() + " " + now.FormatTime() + "] " + text + "\n";
    WriteEncodedFile(GetFilePath(), line, true, false);
}
