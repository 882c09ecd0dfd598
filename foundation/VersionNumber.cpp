#include "foundation/VersionNumber.h"

#include <cstdio>

#include "foundation/TextConvert.h"

std::string CVersionNumber::ToString() const {
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%d.%d.%d.%d", major_, minor_, build_, revision_);
    return buf;
}

void CVersionNumber::Parse(const std::string& text) {
    std::string rest = text;
    int* parts[3] = {&major_, &minor_, &build_};
    for (int* part : parts) {
        const size_t dot = rest.find('.');
        if (dot == std::string::npos) {
            *part = StrToInt(rest);
        } else {
            *part = StrToInt(rest.substr(0, dot));
            rest = rest.substr(dot + 1);
        }
    }
    revision_ = StrToInt(rest);
}

bool CVersionNumber::IsAtLeast(const CVersionNumber& other) const {
    if (major_ < other.major_) return false;
    if (major_ > other.major_) return true;
    return minor_ >= other.minor_;
}
