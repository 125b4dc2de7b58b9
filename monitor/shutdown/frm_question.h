// The confirmation dialog "System Information": one instance, loaded on first use, that
// asks before a shutdown or a clear-all. Its message is chosen when it loads; "YES" and
// "NO" are the shutdown controller's.
#pragma once

#include "shutdown_controller.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace brightlock {

class FrmQuestion : public QWidget {
    Q_OBJECT
public:
    explicit FrmQuestion(ShutdownController& controller);

protected:
    // Closing the dialog by its frame answers "NO": a request left standing would
    // otherwise be carried out by the "YES" to a later, different question.
    void closeEvent(QCloseEvent* event) override;

private:
    ShutdownController& controller_;
    bool answered_ = false;
};

// Loads, shows and unloads the one FrmQuestion.
class QuestionHost {
public:
    explicit QuestionHost(ShutdownController* controller = nullptr) : controller_(controller) {}
    ~QuestionHost();
    void setController(ShutdownController* controller) { controller_ = controller; }

    void show();
    void unload();
    FrmQuestion* dialog() const { return dialog_; }

private:
    ShutdownController* controller_;
    QPointer<FrmQuestion> dialog_;
};

} // namespace brightlock
