#include "terminal_ui.h"

#include <unistd.h>

#include "base/sjis.h"

namespace sorvane {

std::string TerminalUi::ForTerminal(const std::string& sjis) const {
    return sjis_ ? sjis : Utf8FromSjis(sjis);
}

void TerminalUi::Line(const std::string& sjis) {
    std::string out = ForTerminal(sjis);
    // A message box is one line: line breaks inside it become blanks.
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    std::fprintf(err_, "%s\n", out.c_str());
    std::fflush(err_);
}

void TerminalUi::Inform(const std::string& text) { Line(text); }

void TerminalUi::ShowError(const std::string& text) {
    errorShown_ = true;
    Line(text);
}

bool TerminalUi::Confirm(const std::string& text) {
    if (yes_) {
        Line(text);
        return true;
    }
    if (in_ == nullptr || !isatty(fileno(in_))) {
        Line(text);
        return false;
    }
    std::fprintf(err_, "%s [y/N] ", ForTerminal(text).c_str());
    std::fflush(err_);
    char buf[16] = {};
    if (std::fgets(buf, sizeof buf, in_) == nullptr) return false;
    return buf[0] == 'y' || buf[0] == 'Y';
}

}  // namespace sorvane
