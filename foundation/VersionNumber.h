#pragma once
// Four-part version numbers of the application and of stage files.
#include <string>

class CVersionNumber {
  public:
    // The application's own version, 1.0.0.0.
    CVersionNumber() = default;
    CVersionNumber(int major, int minor, int build, int revision)
        : major_(major), minor_(minor), build_(build), revision_(revision) {}

    // The application's own version, 1.0.0.0.
    static CVersionNumber Application() { return CVersionNumber(); }

    // "%d.%d.%d.%d"
    std::string ToString() const;
    // Reads the four numbers from text such as "1.0.0.0". A missing "." repeats the rest for
    // every later number ("1.2" reads as 1.2.2.2); each part goes through StrToInt.
    void Parse(const std::string& text);
    // True when this version is not older than the other by major and minor.
    bool IsAtLeast(const CVersionNumber& other) const;

    int GetMajor() const { return major_; }
    int GetMinor() const { return minor_; }
    int GetBuild() const { return build_; }
    int GetRevision() const { return revision_; }

  private:
    int major_ = 1;
    int minor_ = 0;
    int build_ = 0;
    int revision_ = 0;
};
