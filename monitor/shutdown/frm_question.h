// The confirmation dialog "System Information": one instance, loaded on first use, that
// asks before a shutdown or a clear-all. Its message is chosen when it loads; "YES" and
// "NO" are the question modes'.
#pragma once

#include "question_modes.h"

#include <QWidget>

class QLabel;

namespace brightlock {

class FrmQuestion : public QWidget {
    Q_OBJECT
public:
    explicit FrmQuestion(QuestionModes& modes);

protected:
    // Closing the dialog by its frame answers "NO": a request left standing would
    // otherwise be carried out by the "YES" to a later, different question.
    void closeEvent(QCloseEvent* event) override;

private:
    QuestionModes& modes_;
    bool answered_ = false;
};

} // namespace brightlock
