// The help viewer and the desktop's browser check; see help_viewer.h.
#include "help_viewer.h"

#include "log_categories.h"
#include "window_placement.h"

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTextStream>
#include <QTimer>

namespace brightlock {

namespace {

// The values of the keys of a desktop entry's main group that tell a browser.
bool entryIsBrowser(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    bool mainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')))
            mainGroup = line == QLatin1String("[Desktop Entry]");
        else if (mainGroup && line.startsWith(QLatin1String("Categories=")) &&
                 line.split(QLatin1Char(';')).contains(QLatin1String("WebBrowser"), Qt::CaseInsensitive))
            return true;
        else if (mainGroup && line.startsWith(QLatin1String("MimeType=")) &&
                 line.contains(QLatin1String("x-scheme-handler/http")))
            return true;
    }
    return false;
}

} // namespace

bool desktopHasHtmlBrowser() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        qCInfo(lcForms) << "no default application for HTML files";
        return false;
    }
    const QString entry = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (entry.isEmpty())
        return false;
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    const bool browser = !path.isEmpty() && entryIsBrowser(path);
    if (!browser)
        qCInfo(lcForms) << "HTML files open in" << entry << "which is not a web browser";
    return browser;
}

void showHelpInViewer(const QUrl& url) {
    static QPointer<QTextBrowser> viewer;
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setObjectName(QStringLiteral("HelpViewer"));
        viewer->setWindowTitle(QStringLiteral("Brightlock Help"));
        viewer->setOpenExternalLinks(true);
        const QRect area = availableAreaFor(viewer);
        viewer->resize(area.isEmpty() ? QSize(820, 640) : QSize(820, 640).boundedTo(area.size() * 9 / 10));
        if (!area.isEmpty())
            viewer->move(area.center() - viewer->rect().center());
    }
    // Qt's rich text knows no figures: it would set a figure's picture into the line of
    // text before it. As plain blocks they stand on their own.
    QFile file(url.toLocalFile());
    QString html = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    html.replace(QLatin1String("<figure"), QLatin1String("<div"))
        .replace(QLatin1String("</figure>"), QLatin1String("</div>"))
        .replace(QLatin1String("<figcaption"), QLatin1String("<p"))
        .replace(QLatin1String("</figcaption>"), QLatin1String("</p>"));
    viewer->document()->setBaseUrl(url.adjusted(QUrl::RemoveFragment));
    viewer->setHtml(html);
    viewer->show();
    const QString section = url.fragment();
    QPointer<QTextBrowser> shown = viewer;
    QTimer::singleShot(0, viewer, [shown, section] {
        if (shown && !section.isEmpty())
            shown->scrollToAnchor(section);
    });
    placeInsideScreen(viewer);
    viewer->raise();
    viewer->activateWindow();
}

} // namespace brightlock
