#pragma once
#include "customers/CustomerRules.h"

#include <QString>

class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace db { class Dataset; }
namespace widgets {
class DBEdit;
class DBHyperLinkEdit;
class DBLookupCombo;
} // namespace widgets

// Small builders the customer windows share, so each window declares its boxes in one line.
namespace customers::form {

// A box bound to a field, carrying its control name.
template <typename Editor>
Editor *editor(const QString &name, db::Dataset *dataset, const QString &field)
{
    auto *e = new Editor(dataset, field);
    e->setObjectName(name);
    return e;
}

// A drop-down over a list dataset, showing up to 50 rows; key and list field are the same.
widgets::DBLookupCombo *lookup(const QString &name, db::Dataset *dataset, const QString &field,
                               db::Dataset *list, const QString &listField);

// A caption label, right-aligned beside its box; captions share one width.
QLabel *caption(const QString &text, const QString &name = {});
// A grey note beside a box ("(默认为档案文件名)").
QLabel *hint(const QString &text);
// The grid of a form section: caption | box | note | caption | box. A box without a note spans
// columns 1-2. With the same note width, sections stacked in one window line up.
QGridLayout *formGrid(int noteWidth);
// The width of the widest note of the customer windows.
int customerNoteWidth();
// Puts a captioned box into a form grid: pair 0 on the left (with its note, if any), pair 1 on
// the right; addWide lets the box run across the whole row.
void addPair(QGridLayout *grid, int row, int pair, QWidget *caption, QWidget *box, const QString &note = {});
void addWide(QGridLayout *grid, int row, QWidget *caption, QWidget *box);
QPushButton *button(const QString &caption, const QString &name);

// The required-box check of a customer save, on the boxes' texts in the given order: the first
// empty box is reported ("请输入客户级别！" ...) and gets the focus. True when none is empty.
bool requiredBoxesFilled(const QList<RequiredBox> &order, widgets::DBLookupCombo *level,
                         widgets::DBLookupCombo *district, widgets::DBEdit *shortName);

// A single click on a non-empty box starts the mail program on the address / opens the page
// as typed; an empty box does nothing.
void opensMail(widgets::DBHyperLinkEdit *box);
void opensWebPage(widgets::DBHyperLinkEdit *box);

} // namespace customers::form
