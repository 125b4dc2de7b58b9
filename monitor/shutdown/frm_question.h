// The confirmation dialog "System Information": one instance, loaded on first use, that
// asks before a shutdown or a clear-all. A frameless window in the skinned frame
// xp_canvas1, which draws its title and lets it be dragged. Its message is chosen when it
// loads; "YES" and "NO" are the question modes'.
#pragma once

#include "question_modes.h"

#include <QWidget>

namespace brightlock {

class FrmQuestion : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 340;
    static constexpr int kHeight = 162;

    explicit FrmQuestion(QuestionModes& modes);

protected:
    // Closing the dialog any other way than by its buttons (Escape, or the window manager's
    // close) answers "NO": a request left standing would otherwise be carried out by the
    // "YES" to a later, different question.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QuestionModes& modes_;
    bool answered_ = false;
};

} // namespace brightlock
