// The user-interface port: beeps, message boxes, confirmations, the cursor and the pumping of
// pending events. The GUI shows real boxes; the CLI prints; tests record every call.
#pragma once

#include <optional>
#include <string>

namespace sorvane {

enum class CursorShape { Default, AppStart, HourGlass };

class Ui {
  public:
    virtual ~Ui() = default;
    virtual void Beep() = 0;         // the default beep
    virtual void WarningBeep() = 0;  // the exclamation beep
    // Information box with an OK button. Text is Shift-JIS.
    virtual void Inform(const std::string& sjisText) = 0;
    // A plain message box (no icon), used where the program shows a "simple message".
    virtual void Message(const std::string& sjisText) { Inform(sjisText); }
    // Yes/No box; true means Yes.
    virtual bool Confirm(const std::string& sjisText) = 0;
    // The application's general error message (a failed file operation and the like).
    virtual void ShowError(const std::string& sjisText) = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    // Lets pending window messages run (timers included) inside a long loop.
    virtual void ProcessEvents() = 0;
    // The folder chooser with its caption, showing `initial` first (both Shift-JIS): the
    // chosen folder, or nothing when the user cancelled. Front ends without one choose nothing.
    virtual std::optional<std::string> ChooseFolder(const std::string& /*sjisCaption*/,
                                                    const std::string& /*sjisInitial*/) {
        return std::nullopt;
    }
};

}  // namespace sorvane
