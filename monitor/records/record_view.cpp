// A record page's model and rules; see record_view.h.
#include "record_view.h"

#include "log_categories.h"
#include "settings_catalogue.h"

#include <utility>

namespace brightlock {

RecordView::RecordView(RecordStores& stores, Store store, const Setting& limit, QString source,
                       QObject* parent)
    : QObject(parent), stores_(stores), store_(store), limit_(limit), source_(std::move(source)) {
    connect(&stores_, &RecordStores::changed, this, &RecordView::storeChanged);
}

void RecordView::refresh() {
    const QString error = model_.refresh(stores_.connectionName(store_), source_);
    if (!error.isEmpty()) {
        qCWarning(lcRecords) << "reading" << source_ << "failed:" << error;
        stores_.reportFailure(store_, error);
    }
}

void RecordView::TrimToLimit() {
    // A limit that is missing or not a number reads as the shipped one. Rows deleted
    // change the store, which refreshes the grid.
    stores_.trimToLimit(store_, settings::recordLimit(limit_));
}

void RecordView::updateClearButton() {
    setClearEnabled(stores_.count(store_) != 0);
}

void RecordView::ClearAllRecords() {
    stores_.clear(store_); // an empty store stays as it is
    setClearEnabled(false);
}

void RecordView::storeChanged(Store store) {
    if (store == store_)
        refresh();
}

void RecordView::setClearEnabled(bool enabled) {
    emit clearEnabledChanged(enabled);
}

} // namespace brightlock
