#include "data_span_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "qt_text.h"

DataSpanSetForm::DataSpanSetForm(sorvane::AppShell& shell, QWidget* parent)
    : QDialog(parent), shell_(shell), state_(sorvane::OpenDataSpanSetForm(shell)) {
    setObjectName(QStringLiteral("DataSpanSetForm"));
    setWindowTitle(QtFromSjis(state_.caption));
    auto* col = new QVBoxLayout(this);
    auto* text = new QLabel(QtFromSjis(state_.explanation), this);
    text->setWordWrap(true);
    col->addWidget(text);
    auto* row = new QHBoxLayout;
    spin_ = new QSpinBox(this);
    spin_->setObjectName(QStringLiteral("SpinEdit1"));
    spin_->setRange(sorvane::DataSpanSetForm::kMin, sorvane::DataSpanSetForm::kMax);
    spin_->setValue(state_.spinEdit1);
    row->addWidget(spin_);
    row->addWidget(new QLabel(QtFromSjis(state_.unitLabel), this));
    row->addStretch(1);
    col->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    col->addWidget(buttons);
}

void DataSpanSetForm::accept() {
    state_.spinEdit1 = spin_->value();
    sorvane::AcceptDataSpan(shell_, state_);
    QDialog::accept();
}
