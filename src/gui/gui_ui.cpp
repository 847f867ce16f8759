// Qt message boxes, beeps and cursor for the user-interface port.
#include "gui_ui.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMessageBox>

#include "qt_text.h"

bool GuiUi::Record(Kind kind, const std::string& text) {
    if (!recording_) return false;
    shown_.push_back(Shown{kind, text});
    return true;
}

void GuiUi::Beep() {
    if (!Record(Kind::Beep, {})) QApplication::beep();
}

void GuiUi::WarningBeep() {
    if (!Record(Kind::WarningBeep, {})) QApplication::beep();
}

void GuiUi::Inform(const std::string& sjisText) {
    if (Record(Kind::Inform, sjisText)) return;
    QMessageBox::information(parent_, title_, QtFromSjis(sjisText));
}

void GuiUi::Message(const std::string& sjisText) {
    if (Record(Kind::Message, sjisText)) return;
    QMessageBox box(QMessageBox::NoIcon, title_, QtFromSjis(sjisText), QMessageBox::Ok, parent_);
    box.exec();
}

bool GuiUi::Confirm(const std::string& sjisText) {
    if (Record(Kind::Confirm, sjisText)) {
        if (answers_.empty()) return defaultAnswer_;
        bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    return QMessageBox::question(parent_, title_, QtFromSjis(sjisText),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void GuiUi::ShowError(const std::string& sjisText) {
    if (Record(Kind::Error, sjisText)) return;
    QMessageBox::critical(parent_, title_, QtFromSjis(sjisText));
}

void GuiUi::SetCursor(sorvane::CursorShape shape) {
    // One override at a time: a new shape replaces it, Default removes it.
    if (shape == sorvane::CursorShape::Default) {
        if (cursorOverridden_) QApplication::restoreOverrideCursor();
        cursorOverridden_ = false;
        return;
    }
    const QCursor cursor(shape == sorvane::CursorShape::HourGlass ? Qt::WaitCursor
                                                                  : Qt::BusyCursor);
    if (cursorOverridden_)
        QApplication::changeOverrideCursor(cursor);
    else
        QApplication::setOverrideCursor(cursor);
    cursorOverridden_ = true;
}

void GuiUi::ProcessEvents() {
    if (pumpHook_) pumpHook_();
    QCoreApplication::processEvents();
}

std::optional<std::string> GuiUi::ChooseFolder(const std::string& sjisCaption,
                                               const std::string& sjisInitial) {
    if (recording_) {
        if (folders_.empty()) return std::nullopt;
        std::optional<std::string> f = folders_.front();
        folders_.pop_front();
        return f;
    }
    const QString dir = QFileDialog::getExistingDirectory(parent_, QtFromSjis(sjisCaption),
                                                          QtFromSjis(sjisInitial));
    if (dir.isEmpty()) return std::nullopt;
    return SjisFromQt(dir);
}
