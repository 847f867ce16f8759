// The parts shared by the program's progress windows: labels over a bar without text, laid out
// in a modeless dialog with a title and no close button.
#pragma once

#include <QDialog>
#include <vector>

class QLabel;
class QProgressBar;

struct ProgressParts {
    std::vector<QLabel*> labels;  // top to bottom
    QProgressBar* bar = nullptr;
};

// Lays out labels with the given object names and the bar "ProgressBar1" in dialog.
ProgressParts LayOutProgressDialog(QDialog* dialog, const char* objectName,
                                   const std::vector<const char*>& labelNames, int minWidth);

// Shows position out of max on the bar; a max below 1 is taken as 1.
void ShowProgress(QProgressBar* bar, int max, int position);
