// The Event Record page: the power events of the UPS-event store.
#pragma once

#include "record_page.h"

namespace brightlock {

class FrmUpsEvent : public RecordPage {
    Q_OBJECT
public:
    explicit FrmUpsEvent(RecordStores& stores, QWidget* parent = nullptr);

    // The tab's click: SetupUpsGrid, the trim to the limit, the clear button by record count.
    void pageOpened() override;
    // Column widths, then the UPS events read again.
    void SetupUpsGrid() { setupGrid(); }
};

} // namespace brightlock
