// The Status page: the power-path diagram, the status text and the countdown text, the
// on-battery, low-battery and alarm pictures, the battery's charge and runtime while the
// UPS reports them, the time left before the shutdown while on battery, and the "Shutdown"
// button. It shows what the
// monitor's status area and power path say and holds no state of its own.
#pragma once

#include "main_page.h"
#include "power_path.h"
#include "status_area.h"
#include "xpcmdbutton.h"

#include <QColor>
#include <QLabel>
#include <optional>

namespace brightlock {

class frmStatus : public MainPage {
    Q_OBJECT
public:
    frmStatus(const StatusArea& area, const PowerPath& path, QWidget* parent = nullptr);

signals:
    // The "Shutdown" button was clicked.
    void shutdownClicked();
    // The "History" button was clicked.
    void historyClicked();
    // The power-path diagram can be seen (true) or no longer can (false).
    void diagramShown(bool shown);

private:
    void refresh();

    const StatusArea& area_;
    QLabel* message_ = nullptr;
    QLabel* alarmText_ = nullptr;
    QLabel* onBattery_ = nullptr;
    QLabel* lowBattery_ = nullptr;
    QLabel* alarmSign_ = nullptr;
    QLabel* charge_ = nullptr;
    QLabel* runtime_ = nullptr;
    QLabel* shutdownIn_ = nullptr;
    xpcmdbutton* shutdown_ = nullptr;
    std::optional<QColor> shownColor_; // the message's colour in its style sheet
};

} // namespace brightlock
