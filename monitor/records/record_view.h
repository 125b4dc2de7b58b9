// RecordView: the working part of a record page without its widgets: the grid's model on
// the page's store and record source, the trim when the page opens, and when its clear
// button may be pressed. The button is enabled only by an opening that finds records and
// disabled by an opening that finds none or by a clear; records the poll appends while
// the page is shown reach the grid at the refresh that follows, and leave the button alone.
#pragma once

#include "record_model.h"
#include "record_stores.h"

#include <QObject>

namespace brightlock {

struct Setting;

class RecordView : public QObject {
    Q_OBJECT
public:
    // `limit`: the store's record-limit setting; `source`: the record source at start.
    RecordView(RecordStores& stores, Store store, const Setting& limit, QString source,
               QObject* parent = nullptr);

    RecordModel* model() { return &model_; }
    RecordStores& stores() { return stores_; }
    Store store() const { return store_; }

    // The data control's record source; takes effect at the next refresh.
    void setRecordSource(const QString& source) { source_ = source; }
    const QString& recordSource() const { return source_; }
    // Reads the rows again. Every change of the store does this too.
    void refresh();

    // Deletes the oldest records while the store holds more than its limit.
    void TrimToLimit();
    // After the trim: the clear button is enabled when the store holds records.
    void updateClearButton();
    // Deletes every record and disables the clear button.
    void ClearAllRecords();

signals:
    void clearEnabledChanged(bool enabled);

private:
    void storeChanged(Store store);
    void setClearEnabled(bool enabled);

    RecordStores& stores_;
    Store store_;
    const Setting& limit_;
    QString source_;
    RecordModel model_;
};

} // namespace brightlock
