// The Event Record page: the power events of the UPS-event store.
#pragma once

#include "monitor/shell/main_page.h"

namespace brightlock {

class FrmUpsEvent : public MainPage {
    Q_OBJECT
public:
    explicit FrmUpsEvent(QWidget* parent = nullptr);
};

} // namespace brightlock
