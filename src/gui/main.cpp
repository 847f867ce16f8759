// sorvane: the desktop front end. Chooses the program folder and the link, starts the shell and
// runs the main window.
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "gui_options.h"
#include "gui_platform.h"
#include "gui_ui.h"
#include "link/link_factory.h"
#include "main_window.h"
#include "qt_text.h"
#include "shell/app_shell.h"
#include "shell/link_choice.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sorvane"));
    const GuiOptions options = ParseGuiArgs(QCoreApplication::arguments());

    const fs::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    const fs::path home =
        sorvane::ChooseProgramFolder(options.home, std::getenv("SORVANE_HOME"), exeDir);
    std::error_code ec;
    if (!fs::is_directory(home, ec)) {
        QMessageBox::critical(nullptr, QStringLiteral("sorvane"),
                              QStringLiteral("The program folder %1 does not exist.")
                                  .arg(QString::fromStdString(home.string())));
        return 2;
    }
    // The folder and the link are chosen before the folder becomes current: relative names on
    // the command line mean the user's current folder.
    const sorvane::ProgramFolder folder(home);
    const sorvane::SettingsFile settings(folder.Root() / "sorvane.ini");
    const auto choice = sorvane::ChooseLink(options.link, settings, folder);
    if (!choice) {
        QMessageBox::critical(nullptr, QStringLiteral("sorvane"),
                              QStringLiteral("Unknown link kind in --link %1 (use feed:DIR).")
                                  .arg(QString::fromStdString(options.link)));
        return 2;
    }
    if (::chdir(folder.Root().c_str()) != 0) {
        QMessageBox::critical(nullptr, QStringLiteral("sorvane"),
                              QStringLiteral("Cannot enter the program folder %1.")
                                  .arg(QString::fromStdString(folder.Root().string())));
        return 2;
    }

    sorvane::SystemClock clock;
    GuiUi ui;
    ui.setTitle(QStringLiteral("sorvane"));
    GuiPlatform platform;
    std::unique_ptr<sorvane::NvLink> link = sorvane::MakeLink(choice->kind, choice->feedDir, clock);
    sorvane::AppShell shell(folder, sorvane::ShellPorts{ui, clock, platform, *link});
    if (!shell.Start()) return 0;  // the control is missing: the message was shown

    ui.setTitle(QtFromSjis(shell.main().caption));
    MainWindow window(shell);
    ui.setParentWidget(&window);
    window.show();
    shell.Show();
    return QApplication::exec();
}
