// The entries of one folder by name without regard to ASCII case, listed once, so that the
// store resolves thousands of file names in a folder without searching it for each one.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/files.h"

namespace sorvane {

// Matches names as ProgramFolder::Resolve does (the exact spelling first, then any entry that
// differs only in ASCII case) but lists the folder only on first use. Only the store writes
// the folders it indexes, and it tells the index of every entry it creates.
class FolderIndex {
  public:
    explicit FolderIndex(fs::path dir) : dir_(std::move(dir)) {}

    const fs::path& dir() const { return dir_; }

    // The existing entry for a Shift-JIS name, or the name as given under the folder when
    // there is none; `exists` tells which.
    fs::path Resolve(std::string_view sjisName, bool* exists = nullptr);
    bool Exists(std::string_view sjisName);
    // Tells the index that an entry of that Shift-JIS name now exists.
    void Added(std::string_view sjisName);

  private:
    void List();
    std::string Native(std::string_view sjisName) const;

    fs::path dir_;
    bool listed_ = false;
    std::unordered_set<std::string> exact_;
    std::unordered_map<std::string, std::string> folded_;  // upper-cased native -> native
};

// ASCII letters upper-cased, every other byte kept.
std::string FoldAscii(std::string_view text);

}  // namespace sorvane
