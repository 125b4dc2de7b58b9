// The Closed Applications page: the windows the closer saved and closed before a shutdown,
// listed by date.
#pragma once

#include "record_page.h"

namespace brightlock {

class FrmClose : public RecordPage {
    Q_OBJECT
public:
    explicit FrmClose(RecordStores& stores, QWidget* parent = nullptr);

    // The tab's click: FrmCloseEventer, the trim to the limit, the clear button by record count.
    void pageOpened() override;
    // Column widths, then the closed applications read again.
    void FrmCloseEventer() { setupGrid(); }
};

} // namespace brightlock
