// The Log Record page: every program and power event of the log store.
#pragma once

#include "record_page.h"

namespace brightlock {

class FrmLog : public RecordPage {
    Q_OBJECT
public:
    explicit FrmLog(RecordStores& stores, QWidget* parent = nullptr);

    // The tab's click: SetupLogGrid, the trim to the limit, the clear button by record count.
    void pageOpened() override;
    // Column widths, then the log read again.
    void SetupLogGrid() { setupGrid(); }
};

} // namespace brightlock
