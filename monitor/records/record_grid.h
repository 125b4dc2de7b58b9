// RecordGrid: the grid of a record page or of the save list, bound to a record model. It
// is read-only and selects whole rows; its header row shows the field names, and its
// column widths are given in twips and set again in pixels at the screen's twips per
// pixel each time the model is read anew (a new read makes new columns).
#pragma once

#include <QList>
#include <QTableView>

namespace brightlock {

// Twips are 1/1440 inch: at `dpi` logical dots per inch a pixel is 1440 / dpi twips.
int twipsToPixels(int twips, int dpi);

class RecordGrid : public QTableView {
    Q_OBJECT
public:
    RecordGrid(const char* name, QList<int> widthsInTwips, QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // Sets the column widths of the twip table on the columns the model has now.
    void setColumnWidths();

private:
    QList<int> widths_;
};

} // namespace brightlock
