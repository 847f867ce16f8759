// The data-range window TDataSpanSetForm: the days of past runs the interactive comparisons
// use, a spin box shown with the stored value and written back by OK.
#pragma once

#include <QDialog>

#include "compare/data_span.h"
#include "shell/app_shell.h"

class QSpinBox;

class DataSpanSetForm : public QDialog {
    Q_OBJECT

  public:
    DataSpanSetForm(sorvane::AppShell& shell, QWidget* parent = nullptr);

    QSpinBox* spinEdit1() const { return spin_; }
    void accept() override;

  private:
    sorvane::AppShell& shell_;
    sorvane::DataSpanSetForm state_;
    QSpinBox* spin_ = nullptr;
};
