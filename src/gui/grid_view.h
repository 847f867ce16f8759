// A string grid of the main window: a QTableView over a GridModel that keeps the grid's column
// widths and row heights, and takes them again whenever the model takes a new snapshot. Cells
// are drawn by the GridDelegate; presses and clicks are reported in grid coordinates.
#pragma once

#include <QTableView>
#include <functional>

#include "grid_model.h"

class GridView : public QTableView {
    Q_OBJECT

  public:
    // objectName is the grid's control name ("StringGrid4" ...).
    GridView(const sorvane::Grid& grid, QWidget* parent = nullptr);

    GridModel* gridModel() const { return model_; }
    // Picks up changes of the grid (a no-op when its revision is unchanged).
    void refresh();

    // Which cells (column, grid row) show the hand cursor; none when not set.
    void setHandCursorRule(std::function<bool(int col, int gridRow)> rule);
    // Releasing the mouse clears the selection, so no cell stays highlighted.
    void setClearSelectionOnRelease(bool on) { clearOnRelease_ = on; }

  signals:
    // The mouse went down on, or clicked, the cell at column col of grid row gridRow.
    void cellPressed(int col, int gridRow);
    void cellClicked(int col, int gridRow);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Setup();
    void ApplyShape();

    GridModel* model_ = nullptr;
    std::function<bool(int, int)> handRule_;
    bool clearOnRelease_ = false;
};
