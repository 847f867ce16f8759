#include "progress_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

ProgressParts LayOutProgressDialog(QDialog* dialog, const char* objectName,
                                   const std::vector<const char*>& labelNames, int minWidth) {
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setModal(false);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* col = new QVBoxLayout(dialog);
    ProgressParts parts;
    for (const char* name : labelNames) {
        auto* label = new QLabel(dialog);
        label->setObjectName(QString::fromLatin1(name));
        col->addWidget(label);
        parts.labels.push_back(label);
    }
    parts.bar = new QProgressBar(dialog);
    parts.bar->setObjectName(QStringLiteral("ProgressBar1"));
    parts.bar->setTextVisible(false);
    col->addWidget(parts.bar);
    dialog->setMinimumWidth(minWidth);
    return parts;
}

void ShowProgress(QProgressBar* bar, int max, int position) {
    const int top = std::max(max, 1);
    bar->setMaximum(top);
    bar->setValue(std::clamp(position, 0, top));
}
