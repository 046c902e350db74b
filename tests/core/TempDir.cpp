#include "TempDir.h"

#include "store/FileStore.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrum-test-XXXXXX").native();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string readBytes(const std::string& path) {
    return kestrum::files::load(path);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(kestrum::files::nativePath(path), std::ios::binary);
    out << bytes;
}
