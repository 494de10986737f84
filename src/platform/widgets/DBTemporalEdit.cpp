#include "platform/widgets/DBTemporalEdit.h"

#include "platform/db/Error.h"

using namespace Qt::StringLiterals;

namespace widgets {

DBTemporalEdit::DBTemporalEdit(QWidget *parent) : QLineEdit(parent), DataEditor(this)
{
    connect(this, &QLineEdit::textEdited, this, [this] { userChanged(); });
}

void DBTemporalEdit::showValue(const QVariant &value) { setText(format(value)); }

QVariant DBTemporalEdit::editorValue() const
{
    const QString t = text().trimmed();
    if (t.isEmpty())
        return QVariant();
    const QVariant v = parse(t);
    if (!v.isValid())
        throw db::Error(u"“%1”不是有效的%2。"_s.arg(t, kindName()));
    return v;
}

} // namespace widgets
