// Record grid; see record_grid.h.
#include "record_grid.h"

#include <QHeaderView>
#include <cmath>

namespace brightlock {

int twipsToPixels(int twips, int dpi) {
    return int(std::lround(twips * double(dpi) / 1440.0));
}

RecordGrid::RecordGrid(const char* name, QList<int> widthsInTwips, QWidget* parent)
    : QTableView(parent), widths_(std::move(widthsInTwips)) {
    setObjectName(QString::fromLatin1(name));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
}

void RecordGrid::setModel(QAbstractItemModel* model) {
    if (this->model())
        disconnect(this->model(), &QAbstractItemModel::modelReset, this, &RecordGrid::setColumnWidths);
    QTableView::setModel(model);
    if (model)
        connect(model, &QAbstractItemModel::modelReset, this, &RecordGrid::setColumnWidths);
    setColumnWidths();
}

void RecordGrid::setColumnWidths() {
    const int dpi = logicalDpiX();
    for (int column = 0; column < widths_.size(); ++column)
        setColumnWidth(column, twipsToPixels(widths_[column], dpi));
}

} // namespace brightlock
