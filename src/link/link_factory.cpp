#include "link/link_factory.h"

#include "base/collate.h"
#include "link/absent_link.h"
#include "link/feed_link.h"

namespace sorvane {

std::unique_ptr<NvLink> MakeLink(const std::string& kind, const std::filesystem::path& feedDir,
                                 const Clock& clock) {
    if (SameText(kind, "feed")) return std::make_unique<FeedLink>(feedDir, clock);
    return std::make_unique<AbsentLink>();
}

}  // namespace sorvane
