// The Log Record page: every program and power event of the log store.
#pragma once

#include "monitor/shell/main_page.h"

namespace brightlock {

class FrmLog : public MainPage {
    Q_OBJECT
public:
    explicit FrmLog(QWidget* parent = nullptr);
};

} // namespace brightlock
