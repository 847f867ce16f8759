// The header panel Panel14 of the selected race: the labels Label1 .. Label4 on the panel's
// colour (green for turf races), and the tally label ShukeiLabel below it.
#pragma once

#include <QWidget>

#include "shell/main_form.h"

class QLabel;

class RaceHeaderPanel : public QWidget {
    Q_OBJECT

  public:
    explicit RaceHeaderPanel(QWidget* parent = nullptr);

    void syncFromState(const sorvane::MainFormState& m);
    uint32_t shownColor() const { return color_; }

  private:
    QLabel* labels_[4] = {};
    QLabel* shukeiLabel_ = nullptr;
    uint32_t color_ = 0;
};
