#pragma once
// A temporary game folder for one test: the file layer points at it while the test runs.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "tests/common/caught_code.h"

class TempGameFolder {
  public:
    TempGameFolder() {
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = std::filesystem::temp_directory_path() /
                    ("quor-found-" + std::to_string(rd()) + "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(path_)) break;
        }
        SetGameFolder(path_.string());
    }
    ~TempGameFolder() {
        ResetGameFolder();
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Full(const std::string& rel) const { return path_ / rel; }

    void MakeDir(const std::string& rel) const { std::filesystem::create_directories(path_ / rel); }
    // Writes bytes as they stand (no encoding, no conversion).
    void WriteRaw(const std::string& rel, const std::string& bytes) const {
        std::filesystem::create_directories((path_ / rel).parent_path());
        std::ofstream f(path_ / rel, std::ios::binary | std::ios::trunc);
        f << bytes;
    }
    std::string ReadRaw(const std::string& rel) const {
        std::ifstream f(path_ / rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    // Writes a UTF-8 text as the game stores its data files.
    void WriteEncoded(const std::string& rel, const std::string& utf8) const {
        WriteRaw(rel, EncodeFileText(utf8));
    }
    // Makes `rel` a file that exists but cannot be read.
    void MakeUnreadable(const std::string& rel) const {
        std::filesystem::create_directories((path_ / rel).parent_path());
        // Reading this memory file from its start fails even for root.
        std::filesystem::create_symlink("/proc/self/mem", path_ / rel);
    }

  private:
    std::filesystem::path path_;
};
