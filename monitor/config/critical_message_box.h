// The settings pages' messages as a real message box: modal, titled "System
// Information", with the critical icon and one "OK". Its own event loop runs while it is
// open, so the main window's poll and countdown go on ticking.
#pragma once

#include "message_port.h"

#include <QPointer>
#include <QWidget>

namespace brightlock {

class CriticalMessageBox : public MessagePort {
public:
    // The box is centred on `parent`'s window.
    explicit CriticalMessageBox(QWidget* parent = nullptr) : parent_(parent) {}

    void critical(const QString& text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace brightlock
