// The "OS Event Log" panel FrmOSLog: the UPS port, the three record limits with their
// arrows, "Disable on all events", "Save all apllications before shutdown of system",
// "Hibernate instead of shutting down when the system allows it", "Apply" (Command5) and
// "Help". It shows the rules of os_panel.h and os_panel_apply.h.
#pragma once

#include "message_port.h"
#include "monitor.h"
#include "os_panel.h"
#include "os_panel_apply.h"
#include "panel_parts.h"
#include "xpcheckbox.h"

#include <QComboBox>
#include <QFrame>
#include <array>

namespace brightlock {

class FrmOSLog : public QFrame {
    Q_OBJECT
public:
    FrmOSLog(Monitor& monitor, MessagePort& messages, QWidget* parent = nullptr);

    // Fills the panel afresh from the settings file.
    void load();

    // The controls as values, and back.
    OsPanel values() const;
    void showValues(const OsPanel& panel);

private:
    void Command5Click();

    OsPanelApply apply_;
    QComboBox* port_;
    std::array<NumberBox, 3> limits_;
    xpcheckbox* disableAll_;
    xpcheckbox* saveApplications_;
    xpcheckbox* hibernate_;
};

} // namespace brightlock
