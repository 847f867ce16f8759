// A fresh folder for one test, removed afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace sorvane::testing {

class TempDir {
  public:
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "sorvane-test-XXXXXX").string();
        char* made = ::mkdtemp(tmpl.data());
        path_ = made ? std::filesystem::path(made) : std::filesystem::temp_directory_path();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace sorvane::testing
