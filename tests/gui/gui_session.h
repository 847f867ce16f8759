// One run of the program against a home folder, as the GUI starts it: the shell on fake link,
// platform and clock, a recording GuiUi, and the shown main window.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fake_clock.h"
#include "fake_ports.h"
#include "gui_ui.h"
#include "main_window.h"
#include "shell/app_shell.h"

namespace sorvane::testing {

class GuiSession {
  public:
    explicit GuiSession(const fs::path& home)
        : clock(2024, 5, 12, 9, 30, 0),
          ui(/*recording=*/true),
          shell(ProgramFolder(home), ShellPorts{ui, clock, platform, link}) {}

    // Start-up as main() does it; false when the shell refused to start.
    bool Start() {
        if (!shell.Start()) return false;
        window = std::make_unique<MainWindow>(shell);
        ui.setParentWidget(window.get());
        window->show();
        shell.Show();
        QCoreApplication::processEvents();
        return true;
    }

    QAction* Action(const char* name) const {
        return window->findChild<QAction*>(QString::fromUtf8(name));
    }
    template <class W = QWidget>
    W* Widget(const char* name) const {
        return window->findChild<W*>(QString::fromUtf8(name));
    }

    // What the recording Ui was asked, as "beep", "inform:<utf-8>" ...
    std::vector<std::string> Shown() const {
        std::vector<std::string> out;
        for (const GuiUi::Shown& s : ui.shown()) {
            switch (s.kind) {
                case GuiUi::Kind::Beep:
                    out.push_back("beep");
                    break;
                case GuiUi::Kind::WarningBeep:
                    out.push_back("warning-beep");
                    break;
                case GuiUi::Kind::Inform:
                    out.push_back("inform:" + Utf8FromSjis(s.text));
                    break;
                case GuiUi::Kind::Message:
                    out.push_back("message:" + Utf8FromSjis(s.text));
                    break;
                case GuiUi::Kind::Confirm:
                    out.push_back("confirm:" + Utf8FromSjis(s.text));
                    break;
                case GuiUi::Kind::Error:
                    out.push_back("error:" + Utf8FromSjis(s.text));
                    break;
            }
        }
        return out;
    }

    FixedClock clock;
    GuiUi ui;
    FakePlatform platform;
    FakeLink link;
    AppShell shell;
    std::unique_ptr<MainWindow> window;
};

// Closes every modal window that opens while it lives and remembers its objectName and title,
// so a command that opens a window never blocks a test.
class ModalWatcher {
  public:
    struct Seen {
        QString name;
        QString title;
    };
    ModalWatcher() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                seen.push_back(Seen{w->objectName(), w->windowTitle()});
                if (inspect) inspect(w);
                w->close();
            }
        });
        timer_.start();
    }
    std::vector<Seen> seen;
    std::function<void(QWidget*)> inspect;  // runs on each modal window before it is closed

  private:
    QTimer timer_;
};

}  // namespace sorvane::testing
