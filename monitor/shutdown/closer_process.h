// The closer as a child of the monitor: started with the monitor's application directory and
// watched until it ends, so the shutdown path learns at once that it finished, crashed or
// was stopped, without a folder to carry the news.
#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>
#include <memory>

namespace brightlock {

class CloserProcess : public QObject {
    Q_OBJECT
public:
    // A closer stopped (SIGSTOP) this long is given up as though it had ended: nobody
    // resumes it during a power failure.
    static constexpr int kStoppedMs = 5000;
    static constexpr int kCheckMs = 1000;

    // `program`: the closer's file, by default the program directory followed by "/close".
    explicit CloserProcess(QString program = {}, QObject* parent = nullptr);
    // A closer still at work when the monitor ends is left to finish: it may be saving.
    ~CloserProcess() override;

    // Starts the closer without arguments; false when it could not be started. Its output
    // goes where the monitor's goes.
    bool start();
    bool running() const;

    qint64 processId() const { return process_ ? process_->processId() : 0; }
    // Whether the running closer is stopped; reads /proc.
    bool stopped() const;

signals:
    // The closer ended: `exitCode` is its exit status, when it did not crash (or was
    // given up while stopped, told as a crash).
    void ended(int exitCode, bool crashed);

private:
    void check();

    QString program_;
    std::unique_ptr<QProcess> process_;
    QTimer check_;
    int stoppedMs_ = 0;
};

} // namespace brightlock
