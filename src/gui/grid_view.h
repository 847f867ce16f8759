// A string grid of the main window: a QTableView over a GridModel that keeps the grid's column
// widths and row heights, and takes them again whenever the model takes a new snapshot.
#pragma once

#include <QTableView>

#include "grid_model.h"

class GridView : public QTableView {
    Q_OBJECT

  public:
    // objectName is the grid's control name ("StringGrid4" ...).
    GridView(const sorvane::Grid& grid, QWidget* parent = nullptr);

    GridModel* gridModel() const { return model_; }
    // Picks up changes of the grid (a no-op when its revision is unchanged).
    void refresh();

  private:
    void Setup();
    void ApplyShape();

    GridModel* model_ = nullptr;
};
