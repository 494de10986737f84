#pragma once
#include <QString>

namespace shell {

// The main window's creation step: fills AppPath (with a trailing separator), AccessoryRoot
// (created one level deep when missing; a failure is not reported), writes "FristRunTime"
// with today's short date when it is empty, and reads FirstRunDate and CurrentUserName.
void initProgramState(const QString &programFolder);

// Folder text with exactly one trailing '/'.
QString withTrailingSeparator(const QString &folder);

} // namespace shell
