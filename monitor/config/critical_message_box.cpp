// The real message box of the settings pages; see critical_message_box.h.
#include "critical_message_box.h"

#include <QMessageBox>

namespace brightlock {

void CriticalMessageBox::critical(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("System Information"), text, QMessageBox::Ok,
                    parent_.data());
    box.exec();
}

} // namespace brightlock
