// What the words on a dialog's buttons and check boxes mean to the closer. Toolkits name a
// button by its label with the mnemonic marked ("_Save", "&Save"), some followed by the plain
// label again ("_Save Save"), some with an ellipsis ("Save As…").
#pragma once

#include <QString>

namespace brightlock::atspi {

// The label as a user reads it, in lower case: mnemonic marks and a trailing ellipsis or
// colon dropped, spaces collapsed, a label given twice ("_Save Save") given once.
QString plainLabel(const QString& name);

// A button that saves: "Save", "Save All", "Save As…", "Save Changes"; not "Don't Save",
// "Close without Saving" or "Save Without…".
bool savesLabel(const QString& name);

// A button that confirms a file chooser: one that saves, or "OK".
bool confirmsFileLabel(const QString& name);

// The choice of a "keep the format?" question that saves in the document's own format: "Keep
// Current Format", "Use Word 2007-365!", "Use Office Open XML Text (Transitional) Format"
// (LibreOffice names the format), not "Use ODF Format!" or "Use ODF Format".
bool keepsFormatLabel(const QString& name);
// Its other choice, which saves in the application's own format through a file chooser.
bool ownFormatLabel(const QString& name);

// "Select All" in a list of documents to save.
bool selectsAllLabel(const QString& name);

// A check box that asks the program something for later ("Do not ask again", "Remember my
// choice"): never ticked by the closer.
bool settingLabel(const QString& name);

} // namespace brightlock::atspi
