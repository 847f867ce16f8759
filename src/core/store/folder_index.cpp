#include "store/folder_index.h"

#include "base/sjis.h"

namespace sorvane {

std::string FoldAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string FolderIndex::Native(std::string_view sjisName) const {
    // Names of ASCII only are their own native form; that is every horse file and folder.
    for (char c : sjisName)
        if (static_cast<unsigned char>(c) >= 0x80) return Utf8FromSjis(sjisName);
    return std::string(sjisName);
}

void FolderIndex::List() {
    listed_ = true;
    std::error_code ec;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        folded_.emplace(FoldAscii(name), name);
        exact_.insert(std::move(name));
    }
}

fs::path FolderIndex::Resolve(std::string_view sjisName, bool* exists) {
    if (!listed_) List();
    std::string native = Native(sjisName);
    if (exact_.count(native) != 0) {
        if (exists) *exists = true;
        return dir_ / native;
    }
    auto it = folded_.find(FoldAscii(native));
    if (it != folded_.end()) {
        if (exists) *exists = true;
        return dir_ / it->second;
    }
    if (exists) *exists = false;
    return dir_ / native;
}

bool FolderIndex::Exists(std::string_view sjisName) {
    bool e = false;
    Resolve(sjisName, &e);
    return e;
}

void FolderIndex::Added(std::string_view sjisName) {
    if (!listed_) List();
    std::string native = Native(sjisName);
    folded_.emplace(FoldAscii(native), native);
    exact_.insert(std::move(native));
}

}  // namespace sorvane
