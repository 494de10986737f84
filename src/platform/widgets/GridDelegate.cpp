#include "platform/widgets/GridDelegate.h"

#include "platform/db/Dataset.h"
#include "platform/system/Services.h"
#include "platform/widgets/DBDateEdit.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBNumericEdit.h"
#include "platform/widgets/DBPickEdit.h"
#include "platform/widgets/DBTimeEdit.h"
#include "platform/widgets/DatasetModel.h"
#include "platform/widgets/GbkValidator.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace widgets {

GridDelegate::GridDelegate(DatasetModel *model, QObject *parent) : QStyledItemDelegate(parent), m_model(model) {}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const int col = index.column();
    const ColumnSpec &column = m_model->columns().at(col);
    if (!column.pickItems.isEmpty()) {
        auto *e = new DBPickEdit(parent);
        e->setItems(column.pickItems);
        return e;
    }
    switch (m_model->fieldTypeOf(col)) {
    case db::FieldType::Date: return new DBDateEdit(parent);
    case db::FieldType::Time: return new DBTimeEdit(parent);
    case db::FieldType::Integer:
    case db::FieldType::Float:
    case db::FieldType::Currency: return new DBNumericEdit(parent);
    default: {
        auto *e = new DBEdit(parent);
        const int fi = m_model->fieldIndexOf(col);
        const db::Field &f = m_model->dataset()->field(fi);
        if (f.type() == db::FieldType::String && f.size() > 0)
            e->widthValidator()->setMaxBytes(f.size());
        e->setFrame(false);
        return e;
    }
    }
}

void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QVariant v = index.data(DatasetModel::ValueRole);
    if (auto *e = qobject_cast<DBDateEdit *>(editor))
        e->setDate(v.toDate());
    else if (auto *e = qobject_cast<DBTimeEdit *>(editor))
        e->setTime(v.toTime());
    else if (auto *e = qobject_cast<DBNumericEdit *>(editor))
        e->setValue(v);
    else if (auto *e = qobject_cast<DBPickEdit *>(editor))
        e->setText(v.toString());
    else if (auto *e = qobject_cast<QLineEdit *>(editor))
        e->setText(index.data(Qt::EditRole).toString());
}

void GridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    QVariant v;
    QString bad;
    if (auto *e = qobject_cast<DBDateEdit *>(editor)) {
        v = e->date();
        if (!e->isEmpty() && !e->date().isValid())
            bad = u"“%1”不是有效的日期。"_s.arg(e->text());
    } else if (auto *e = qobject_cast<DBTimeEdit *>(editor)) {
        v = e->time();
        if (!e->isEmpty() && !e->time().isValid())
            bad = u"“%1”不是有效的时间。"_s.arg(e->text());
    } else if (auto *e = qobject_cast<DBNumericEdit *>(editor)) {
        v = e->value();
        if (v.isNull() && !e->text().trimmed().isEmpty())
            bad = u"“%1”不是有效的数值。"_s.arg(e->text());
    } else if (auto *e = qobject_cast<DBPickEdit *>(editor)) {
        v = e->text();
    } else if (auto *e = qobject_cast<QLineEdit *>(editor)) {
        v = e->text();
    }
    if (!bad.isEmpty()) {
        sys::warn(bad);
        return;
    }
    model->setData(index, v, Qt::EditRole);
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_model->kindOf(index.column()) != ColumnKind::Button) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionButton button;
    button.rect = option.rect.adjusted(1, 1, -1, -1);
    const QString text = index.data(Qt::DisplayRole).toString();
    button.text = text.isEmpty() ? u"…"_s : text;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    const QWidget *w = option.widget;
    (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_PushButton, &button, painter, w);
}

bool GridDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    if (m_model->kindOf(index.column()) == ColumnKind::Button && event->type() == QEvent::MouseButtonRelease) {
        const auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton && option.rect.contains(me->position().toPoint())) {
            emit buttonClicked(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace widgets
