#include "platform/widgets/DBMemo.h"

#include "platform/db/Field.h"
#include "platform/widgets/GbkValidator.h"

#include <QKeyEvent>
#include <QMimeData>

namespace widgets {

DBMemo::DBMemo(QWidget *parent) : QPlainTextEdit(parent), DataEditor(this)
{
    setTabChangesFocus(false);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { userChanged(); });
}

DBMemo::DBMemo(db::Dataset *dataset, const QString &fieldName, QWidget *parent) : DBMemo(parent)
{
    setDataField(dataset, fieldName);
}

void DBMemo::setText(const QString &text) { setPlainText(text); }

bool DBMemo::isModified() const { return document()->isModified(); }

void DBMemo::setModified(bool on) { document()->setModified(on); }

void DBMemo::fieldBound(const db::Field *field)
{
    m_maxBytes = field && field->type() == db::FieldType::String && field->size() > 0 ? field->size() : -1;
}

void DBMemo::showValue(const QVariant &value) { setPlainText(editText(value, field())); }

QVariant DBMemo::editorValue() const { return toPlainText(); }

bool DBMemo::mayInsert(const QString &inserted)
{
    const QString before = toPlainText();
    const QTextCursor c = textCursor();
    QString after = before;
    after.replace(c.selectionStart(), c.selectionEnd() - c.selectionStart(), inserted);
    const QString why = GbkValidator::refusal(after, before, m_maxBytes);
    if (why.isEmpty())
        return true;
    GbkValidator::showRefusal(this, why);
    return false;
}

void DBMemo::keyPressEvent(QKeyEvent *event)
{
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\n");
    const bool inserts = !isReadOnly() && !typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\t' || typed.at(0) == u'\n')
                         && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (inserts && !mayInsert(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() && !isReadOnly() && !mayInsert(event->commitString())) {
        // Drop the commit but let the pre-edit state end.
        QInputMethodEvent cleared(QString(), {});
        QPlainTextEdit::inputMethodEvent(&cleared);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void DBMemo::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText() && !mayInsert(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace widgets
