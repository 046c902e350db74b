#pragma once

#include <string>

// A fresh folder below the system's temporary folder, removed with
// everything in it when the test ends. `path()` is program text ending in "/".
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

// Test helpers over files named by program text.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
