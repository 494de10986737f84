#include "attachments/HelpMemo.h"

#include <QPlainTextEdit>

namespace attachments {

QPlainTextEdit *newHelpMemo(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setObjectName(objectName);
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setPlainText(text);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics fm = memo->fontMetrics();
    int widest = 0;
    const QStringList lines = text.split(u'\n');
    for (const QString &line : lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    const int margins = 2 * int(memo->document()->documentMargin()) + 2 * memo->frameWidth() + 8;
    memo->setMinimumWidth(widest + margins);
    memo->setFixedHeight(fm.lineSpacing() * int(lines.size()) + margins);
    return memo;
}

} // namespace attachments
