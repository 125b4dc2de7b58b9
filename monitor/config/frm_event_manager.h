// The Event Manager page: what the monitor does on each power event, the record limits,
// and the port the UPS is reached through.
#pragma once

#include "monitor/shell/main_page.h"

namespace brightlock {

class FrmEventManager : public MainPage {
    Q_OBJECT
public:
    explicit FrmEventManager(QWidget* parent = nullptr);
};

} // namespace brightlock
