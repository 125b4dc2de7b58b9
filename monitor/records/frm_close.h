// The Closed Applications page: the windows the closer saved and closed before a shutdown.
#pragma once

#include "monitor/shell/main_page.h"

namespace brightlock {

class FrmClose : public MainPage {
    Q_OBJECT
public:
    explicit FrmClose(QWidget* parent = nullptr);
};

} // namespace brightlock
