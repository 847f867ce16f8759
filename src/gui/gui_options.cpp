// Parsing of the GUI's command line.
#include "gui_options.h"

GuiOptions ParseGuiArgs(const QStringList& args) {
    GuiOptions o;
    auto take = [&](qsizetype& i, const QString& name, std::string& out) {
        const QString& a = args[i];
        if (a == name) {
            if (i + 1 < args.size()) out = args[++i].toStdString();
            return true;
        }
        if (a.startsWith(name + QLatin1Char('='))) {
            out = a.mid(name.size() + 1).toStdString();
            return true;
        }
        return false;
    };
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (take(i, QStringLiteral("--home"), o.home)) continue;
        take(i, QStringLiteral("--link"), o.link);
    }
    return o;
}
