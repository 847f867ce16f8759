// The Ui port on a terminal: a message box is one line on standard error, a confirmation is
// answered by --yes, by the user at a terminal, or No when there is none.
#pragma once

#include <cstdio>
#include <string>

#include "ports/ui.h"

namespace sorvane {

class TerminalUi : public Ui {
  public:
    TerminalUi(bool sjisOutput, bool assumeYes, std::FILE* err = stderr, std::FILE* in = stdin)
        : sjis_(sjisOutput), yes_(assumeYes), err_(err), in_(in) {}

    void Beep() override {}
    void WarningBeep() override {}
    void Inform(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void SetCursor(CursorShape) override {}
    void ProcessEvents() override {}

    // Whether an error box was shown; the command then exits with status 1.
    bool errorShown() const { return errorShown_; }
    void MarkError() { errorShown_ = true; }

    // Shift-JIS text as the terminal wants it (UTF-8 unless --sjis).
    std::string ForTerminal(const std::string& sjis) const;

  private:
    void Line(const std::string& sjis);
    bool sjis_;
    bool yes_;
    std::FILE* err_;
    std::FILE* in_;
    bool errorShown_ = false;
};

}  // namespace sorvane
