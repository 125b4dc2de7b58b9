// The file name typed into a save dialog: "<Save folder>/SaveClose" followed by a number from
// 0 to 9999. The number is drawn at random, as the list's format asks, but never one that a
// file in the Save folder already has (an earlier shutdown's saved work, with or without an
// extension the application added) or that this run handed out before: a reused name would
// make the application replace saved work or stop at its "replace?" question.
#pragma once

#include <QSet>
#include <QString>
#include <functional>

namespace brightlock {

// `draw` gives a number from 0 to 9999. When every number is taken, the last draw is used.
QString freshSavePath(const QString& saveFolder, const std::function<int()>& draw,
                      const QSet<QString>& handedOut);

// `absolutePath` written relative to any folder: "../" as often as a folder can be deep, then
// the path without its leading "/" ("/" has no parent, so the climb always ends there).
QString climbingPath(const QString& absolutePath);

// The file a save under `savePath` produced: that path, or that path with an extension the
// application added ("SaveClose12.txt"); empty when no such file exists.
QString savedFile(const QString& savePath);

} // namespace brightlock
