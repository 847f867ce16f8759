#include "base/collate.h"

#include "base/sjis.h"

namespace sorvane {
namespace {

// Folds single-byte ASCII letters only. The second byte of a two-byte character can fall in
// the ASCII letter range (0x61..0x7A), so we track character boundaries and leave it alone.
class Folder {
  public:
    explicit Folder(std::string_view s) : s_(s) {}
    bool Done() const { return i_ >= s_.size(); }
    unsigned char Next() {
        auto b = static_cast<unsigned char>(s_[i_++]);
        if (trail_) {
            trail_ = false;
            return b;
        }
        if (IsSjisLead(b)) {
            trail_ = true;
            return b;
        }
        return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - 'a' + 'A') : b;
    }

  private:
    std::string_view s_;
    size_t i_ = 0;
    bool trail_ = false;
};

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
    Folder x(a);
    Folder y(b);
    while (!x.Done() && !y.Done()) {
        unsigned char p = x.Next();
        unsigned char q = y.Next();
        if (p != q) return p < q ? -1 : 1;
    }
    if (x.Done() && y.Done()) return 0;
    return x.Done() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

}  // namespace sorvane
