// The real message box of the settings pages; see critical_message_box.h.
#include "critical_message_box.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace brightlock {

void CriticalMessageBox::critical(const QString& text) {
    const QString title = QStringLiteral("System Information");
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent_.data());
    // A short message makes a narrow box whose title the window manager cuts ("System
    // Inf..."): keep the box wide enough for the title beside the frame's buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(title) * 3 / 2 + 160;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    box.exec();
}

} // namespace brightlock
