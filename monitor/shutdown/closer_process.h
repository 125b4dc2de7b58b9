// The closer as a child of the monitor: started with the monitor's application directory and
// watched until it ends, so the shutdown path learns at once that it finished, crashed or
// was stopped, without a folder to carry the news.
#pragma once

#include <QObject>
#include <QProcess>
#include <memory>

namespace brightlock {

class CloserProcess : public QObject {
    Q_OBJECT
public:
    // `program`: the closer's file, by default the program directory followed by "/close".
    explicit CloserProcess(QString program = {}, QObject* parent = nullptr);
    // A closer still at work when the monitor ends is left to finish: it may be saving.
    ~CloserProcess() override;

    // Starts the closer without arguments; false when it could not be started. Its output
    // goes where the monitor's goes.
    bool start();
    bool running() const;

signals:
    // The closer ended: `exitCode` is its exit status, when it did not crash.
    void ended(int exitCode, bool crashed);

private:
    QString program_;
    std::unique_ptr<QProcess> process_;
};

} // namespace brightlock
