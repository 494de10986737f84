#pragma once
#include <QString>

class QPlainTextEdit;
class QWidget;

namespace attachments {

// A read-only box of help lines, sized to show every line whole without scroll bars.
QPlainTextEdit *newHelpMemo(const QString &objectName, const QString &text, QWidget *parent);

} // namespace attachments
