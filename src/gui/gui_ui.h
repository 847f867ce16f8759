// The user-interface port on Qt: real beeps and message boxes, the override cursor and event
// pumping. In recording mode nothing modal is shown: every call is kept and confirmations are
// answered from a queue, so automated runs never block.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ports/ui.h"

class QWidget;

class GuiUi : public sorvane::Ui {
  public:
    enum class Kind { Beep, WarningBeep, Inform, Message, Confirm, Error };
    struct Shown {
        Kind kind;
        std::string text;  // Shift-JIS, empty for beeps
    };

    explicit GuiUi(bool recording = false) : recording_(recording) {}

    // The window that owns the boxes and the caption they carry.
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    void setTitle(const QString& title) { title_ = title; }

    bool recording() const { return recording_; }
    void setRecording(bool on) { recording_ = on; }
    // Recording mode: the answers of the next confirmations, in order; when none is queued the
    // default answer is given.
    void queueAnswer(bool yes) { answers_.push_back(yes); }
    void setDefaultAnswer(bool yes) { defaultAnswer_ = yes; }
    const std::vector<Shown>& shown() const { return shown_; }
    void clearShown() { shown_.clear(); }

    void Beep() override;
    void WarningBeep() override;
    void Inform(const std::string& sjisText) override;
    void Message(const std::string& sjisText) override;
    bool Confirm(const std::string& sjisText) override;
    void ShowError(const std::string& sjisText) override;
    void SetCursor(sorvane::CursorShape shape) override;
    void ProcessEvents() override;
    // Runs before every ProcessEvents, so windows that show core state while a long core loop
    // runs (the progress windows) take that state before they repaint.
    void setPumpHook(std::function<void()> hook) { pumpHook_ = std::move(hook); }
    // The folder dialog; in recording mode the queued folder (or nothing) is the answer.
    std::optional<std::string> ChooseFolder(const std::string& sjisCaption,
                                            const std::string& sjisInitial) override;
    void queueFolder(std::optional<std::string> sjisFolder) { folders_.push_back(sjisFolder); }

  private:
    bool Record(Kind kind, const std::string& text);

    bool recording_;
    QWidget* parent_ = nullptr;
    QString title_;
    std::deque<bool> answers_;
    bool defaultAnswer_ = true;
    std::vector<Shown> shown_;
    std::deque<std::optional<std::string>> folders_;
    bool cursorOverridden_ = false;
    std::function<void()> pumpHook_;
};
