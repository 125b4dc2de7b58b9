// The program's own help viewer: the guide in a plain window when the desktop has no web
// browser for it. One window, reused; each opening shows the section asked for.
#pragma once

#include <QUrl>

namespace brightlock {

// Shows `url` (a local HTML file, with an optional #section) in the program's viewer.
void showHelpInViewer(const QUrl& url);

// Whether the desktop opens HTML files in a web browser: the default application for
// text/html is one that also handles http links or calls itself a web browser. A text
// editor, or no default at all, is not.
bool desktopHasHtmlBrowser();

} // namespace brightlock
