// The command line of the sorvane GUI: --home DIR and --link KIND[:DIR]; Qt's own arguments
// are taken by QApplication before, anything else is ignored.
#pragma once

#include <QStringList>
#include <string>

struct GuiOptions {
    std::string home;  // --home DIR (native, UTF-8)
    std::string link;  // --link KIND[:DIR]
};

// args as QCoreApplication::arguments() gives them (program name first). Both "--home DIR"
// and "--home=DIR" are accepted; a missing value leaves the option unset.
GuiOptions ParseGuiArgs(const QStringList& args);
