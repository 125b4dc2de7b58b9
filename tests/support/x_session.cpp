#include "support/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace testing {

namespace {

// Starts `args` with standard output and error discarded and `extraEnv` added; 0 when it
// cannot be started.
pid_t spawn(const QStringList& args, const QByteArray& extraEnv = {}) {
    std::vector<QByteArray> bytes;
    for (const QString& a : args)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    // `extraEnv` ("NAME=value") replaces the variable of that name.
    const QByteArray name = extraEnv.left(extraEnv.indexOf('=') + 1);
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e)
        if (name.isEmpty() || !QByteArray(*e).startsWith(name))
            envp.push_back(*e);
    QByteArray added = extraEnv;
    if (!added.isEmpty())
        envp.push_back(added.data());
    envp.push_back(nullptr);

    // The child ends with this process even when the test is killed, and a failed exec is
    // reported back through a pipe that the exec closes.
    const pid_t parent = getpid();
    int execFailed[2];
    if (pipe2(execFailed, O_CLOEXEC) != 0)
        return 0;
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvpe(argv[0], argv.data(), envp.data());
        const char failed = 1;
        (void)!write(execFailed[1], &failed, 1);
        _exit(127);
    }
    close(execFailed[1]);
    char failed = 0;
    const bool started = pid > 0 && read(execFailed[0], &failed, 1) == 0;
    close(execFailed[0]);
    if (pid > 0 && !started)
        waitpid(pid, nullptr, 0);
    return started ? pid : 0;
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

bool windowManagerRuns(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                       &count, &remaining, &data);
    const bool found = data && count == 1;
    if (data)
        XFree(data);
    return found;
}

} // namespace

XSession::XSession(Kind kind, const QStringList& serverArgs) {
    start(kind, serverArgs);
    if (!ok()) {
        stop(windowManager_);
        stop(server_);
        windowManager_ = server_ = 0;
    }
}

void XSession::selectQtPlatform() const {
    if (ok()) {
        qputenv("DISPLAY", display_.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

XSession::~XSession() {
    stop(windowManager_);
    stop(server_);
}

void XSession::start(Kind kind, const QStringList& serverArgs) {
    // Xvfb picks a free display number and writes it to the pipe once it accepts clients.
    int ready[2];
    if (pipe(ready) != 0) {
        whyNot_ = QStringLiteral("no pipe for Xvfb");
        return;
    }
    server_ = spawn(QStringList{"Xvfb", "-displayfd", QString::number(ready[1]), "-screen", "0",
                                "1280x1024x24", "-nolisten", "tcp"} +
                    serverArgs);
    close(ready[1]);
    QByteArray number;
    pollfd waiting = {ready[0], POLLIN, 0};
    while (server_ && !number.endsWith('\n') && poll(&waiting, 1, 10000) > 0) {
        char c = 0;
        if (read(ready[0], &c, 1) != 1)
            break;
        number += c;
    }
    close(ready[0]);
    if (!server_ || number.trimmed().isEmpty()) {
        whyNot_ = QStringLiteral("Xvfb could not be started (package xvfb)");
        return;
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    if (kind == Kind::ServerOnly)
        return;

    windowManager_ = spawn({"openbox", "--sm-disable"}, "DISPLAY=" + display_.toLocal8Bit());
    Display* display = XOpenDisplay(display_.toLocal8Bit().constData());
    bool running = false;
    for (int i = 0; display && windowManager_ && i < 100 && !running; ++i) {
        running = windowManagerRuns(display);
        if (!running)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (display)
        XCloseDisplay(display);
    if (!running)
        whyNot_ = QStringLiteral("no EWMH window manager: openbox did not start on %1 (package openbox)")
                      .arg(display_);
}

} // namespace testing
