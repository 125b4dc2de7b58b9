// The closer's process; see closer_process.h.
#include "closer_process.h"

#include "app_paths.h"
#include "log_categories.h"

#include <QDir>
#include <QFile>

// The shutdown path's category, defined with the rest of it in shutdown_controller.cpp.
Q_DECLARE_LOGGING_CATEGORY(lcShutdown)

namespace brightlock {

CloserProcess::CloserProcess(QString program, QObject* parent)
    : QObject(parent),
      program_(program.isEmpty() ? ProgramDirectory() + QStringLiteral("/close") : std::move(program)) {
    check_.setInterval(kCheckMs);
    connect(&check_, &QTimer::timeout, this, &CloserProcess::check);
}

CloserProcess::~CloserProcess() {
    // QProcess would kill the closer with it; it goes on, handing over to nobody, rather
    // than die in the middle of saving someone's document.
    if (running()) {
        process_->disconnect();
        (void)process_.release();
    }
}

bool CloserProcess::start() {
    if (running())
        return true;
    // It is told this monitor's application directory, absolute, so both programs use the
    // same files whatever the closer would work out on its own.
    const QString home = QDir(ApplicationDirectory()).absolutePath();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BRIGHTLOCK_HOME"), home);
    process_ = std::make_unique<QProcess>();
    process_->setProgram(program_);
    process_->setProcessEnvironment(environment);
    process_->setWorkingDirectory(home);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process_.get(), &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        emit ended(code, status == QProcess::CrashExit);
    });
    process_->start();
    if (!process_->waitForStarted()) {
        qCWarning(lcShutdown).noquote() << "cannot start" << program_ << "-" << process_->errorString();
        process_.reset();
        return false;
    }
    stoppedMs_ = 0;
    check_.start();
    return true;
}

bool CloserProcess::stopped() const {
    if (!running())
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(process_->processId()));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) S ...": the state follows the last ')', as the name may hold one.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && line.size() > close + 2 && line.at(close + 2) == 'T';
}

void CloserProcess::check() {
    stoppedMs_ = stopped() ? stoppedMs_ + kCheckMs : 0;
    if (stoppedMs_ < kStoppedMs)
        return;
    check_.stop();
    qCWarning(lcShutdown) << "the closer has been stopped for" << kStoppedMs / 1000 << "s; it is given up";
    emit ended(-1, true);
}

bool CloserProcess::running() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

} // namespace brightlock
