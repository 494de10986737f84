#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace widgets {

enum class Sort { None, Ascending, Descending };

enum class ColumnKind {
    Auto,      // check box for Boolean fields, text otherwise
    Text,
    Check,
    HyperLink, // text drawn as a link; the window acts on clicks
    Button,    // a push button in the cell; DBGrid emits buttonClicked
};

// One column of a grid layout, declared by the window:
//   {u"姓名"_s, u"Name"_s, true, {}, 0, Sort::Descending}
//   {u"合同金额"_s, u"GoalAmount"_s, true, u"￥,0;-￥,0"_s}
//   ColumnSpec{u"闹钟"_s, u"AlarmNO"_s}.setKind(ColumnKind::Button)
// Hidden columns stay in the model (column positions count them); the grid does not show them.
struct ColumnSpec
{
    ColumnSpec() = default;
    ColumnSpec(QString caption, QString field, bool visible = true, QString displayFormat = {}, int width = 0,
               Sort initialSort = Sort::None)
        : caption(std::move(caption)), field(std::move(field)), visible(visible),
          displayFormat(std::move(displayFormat)), width(width), initialSort(initialSort)
    {
    }
    ColumnSpec &setKind(ColumnKind k) { kind = k; return *this; }
    ColumnSpec &setReadOnly(bool on = true) { readOnly = on; return *this; }
    ColumnSpec &setPickItems(const QStringList &items) { pickItems = items; return *this; }

    QString caption;
    QString field;
    bool visible = true;
    QString displayFormat;    // empty: the field's own display format
    int width = 0;            // pixels; 0: the grid's default
    Sort initialSort = Sort::None;
    ColumnKind kind = ColumnKind::Auto;
    bool readOnly = false;    // never edited in place, even in an editable grid
    QStringList pickItems;    // in-place editing offers these (other text may still be typed)
};

using ColumnLayout = QList<ColumnSpec>;

} // namespace widgets
