#include "customers/FormParts.h"

#include "platform/system/Guard.h"
#include "platform/system/Services.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBHyperLinkEdit.h"
#include "platform/widgets/DBLookupCombo.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace customers::form {

widgets::DBLookupCombo *lookup(const QString &name, db::Dataset *dataset, const QString &field,
                               db::Dataset *list, const QString &listField)
{
    auto *combo = editor<widgets::DBLookupCombo>(name, dataset, field);
    combo->setListSource(list, listField, listField);
    combo->setMaxVisibleItems(50);
    return combo;
}

QLabel *caption(const QString &text, const QString &name)
{
    auto *label = new QLabel(text);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(u"客户编号"_s) + 4);
    return label;
}

QLabel *hint(const QString &text)
{
    auto *label = new QLabel(text);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    label->setPalette(p);
    return label;
}

QGridLayout *formGrid(int noteWidth)
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(1, 3);
    grid->setColumnMinimumWidth(1, 110);
    grid->setColumnMinimumWidth(2, noteWidth);
    grid->setColumnMinimumWidth(4, 90);
    grid->setColumnStretch(4, 2);
    return grid;
}

int customerNoteWidth()
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(u"(执照/身份证/护照号码)"_s) + 2;
}

namespace {

// Boxes share their row by the column stretch alone, so stacked sections line up.
void fitToColumn(QWidget *box)
{
    QSizePolicy policy = box->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    box->setSizePolicy(policy);
}

} // namespace

void addPair(QGridLayout *grid, int row, int pair, QWidget *caption, QWidget *box, const QString &note)
{
    fitToColumn(box);
    if (pair == 1) {
        grid->addWidget(caption, row, 3);
        grid->addWidget(box, row, 4);
        return;
    }
    grid->addWidget(caption, row, 0);
    if (note.isEmpty()) {
        grid->addWidget(box, row, 1, 1, 2);
    } else {
        grid->addWidget(box, row, 1);
        grid->addWidget(hint(note), row, 2);
    }
}

void addWide(QGridLayout *grid, int row, QWidget *caption, QWidget *box)
{
    fitToColumn(box);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1, 1, 4);
}

QPushButton *button(const QString &caption, const QString &name)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

bool requiredBoxesFilled(const QList<RequiredBox> &order, widgets::DBLookupCombo *level,
                         widgets::DBLookupCombo *district, widgets::DBEdit *shortName)
{
    auto combo = [&](RequiredBox box) { return box == RequiredBox::Level ? level : district; };
    const auto missing = firstEmpty(order, [&](RequiredBox box) {
        return box == RequiredBox::ShortName ? shortName->text() : combo(box)->text();
    });
    if (!missing)
        return true;
    sys::warn(requiredMessage(*missing));
    QWidget *box = *missing == RequiredBox::ShortName ? static_cast<QWidget *>(shortName) : combo(*missing);
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

void opensMail(widgets::DBHyperLinkEdit *box)
{
    QObject::connect(box, &widgets::DBHyperLinkEdit::linkClicked, box, [box](const QString &text) {
        if (!text.trimmed().isEmpty())
            sys::guarded(box->window(), [&] { sys::mailTo(text); });
    });
}

void opensWebPage(widgets::DBHyperLinkEdit *box)
{
    QObject::connect(box, &widgets::DBHyperLinkEdit::linkClicked, box, [box](const QString &text) {
        if (!text.trimmed().isEmpty())
            sys::guarded(box->window(), [&] { sys::openWebPage(text); });
    });
}

} // namespace customers::form
