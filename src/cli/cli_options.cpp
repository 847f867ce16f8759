#include "cli_options.h"

namespace sorvane {

bool ParseCliOptions(const std::vector<std::string>& argv, CliOptions& out, std::string& error) {
    size_t i = 0;
    for (; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--sjis") {
            out.sjis = true;
        } else if (a == "--yes" || a == "-y") {
            out.yes = true;
        } else if (a == "--home" || a == "--link") {
            if (i + 1 >= argv.size() || argv[i + 1].empty()) {
                error = a + " needs a value";
                return false;
            }
            (a == "--home" ? out.home : out.link) = argv[++i];
        } else if (a.rfind("--home=", 0) == 0) {
            out.home = a.substr(7);
        } else if (a.rfind("--link=", 0) == 0) {
            out.link = a.substr(7);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            error = "unknown option " + a;
            return false;
        } else {
            break;
        }
    }
    out.args.assign(argv.begin() + static_cast<long>(i), argv.end());
    for (const std::string& a : out.args)
        if (a == "--help") out.help = true;
    return true;
}

}  // namespace sorvane
