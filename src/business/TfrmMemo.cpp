#include "business/TfrmMemo.h"

#include "attachments/TfrmGetFiles.h"
#include "business/MemoStamp.h"
#include "platform/db/Dataset.h"
#include "platform/system/Guard.h"
#include "platform/widgets/DBMemo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace business {

TfrmMemo::TfrmMemo(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmMemo"_s);
    setWindowTitle(u"备注"_s);

    auto *caption = new QLabel(u"备注事项："_s, this);
    lblNotice = new QLabel(this);
    lblNotice->setObjectName(u"lblNotice"_s);
    lblNotice->setTextFormat(Qt::PlainText);
    QFont bold = lblNotice->font();
    bold.setBold(true);
    lblNotice->setFont(bold);
    lblNotice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // long titles must not widen the window

    dxDBMemoGeneral = new widgets::DBMemo(this);
    dxDBMemoGeneral->setObjectName(u"dxDBMemoGeneral"_s);
    dxDBMemoGeneral->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    dxMemoGeneral = new QPlainTextEdit(this);
    dxMemoGeneral->setObjectName(u"dxMemoGeneral"_s);
    dxMemoGeneral->hide();

    auto button = [this](const QString &text, const QString &name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
        return b;
    };
    fbtnAddTime = button(u"插入时间"_s, u"fbtnAddTime"_s);
    fbtnGetFiles = button(u"获取附件"_s, u"fbtnGetFiles"_s);
    fbtnSave = button(u"保存"_s, u"fbtnSave"_s);

    auto *top = new QHBoxLayout;
    top->addWidget(caption);
    top->addWidget(lblNotice, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(fbtnAddTime);
    buttons->addWidget(fbtnGetFiles);
    buttons->addWidget(fbtnSave);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(dxDBMemoGeneral, 1);
    layout->addLayout(buttons);
    resize(560, 380);

    connect(fbtnAddTime, &QPushButton::clicked, this, [this] { fbtnAddTimeClick(); });
    connect(fbtnGetFiles, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fbtnGetFilesClick(); }); });
    connect(fbtnSave, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fbtnSaveClick(); }); });
}

void TfrmMemo::setNotice(const QString &text)
{
    lblNotice->setText(text);
    lblNotice->setToolTip(text);
}

QString TfrmMemo::notice() const { return lblNotice->text(); }

void TfrmMemo::bindMemo(db::Dataset *dataset, const QString &fieldName) { dxDBMemoGeneral->setDataField(dataset, fieldName); }

TfrmMemo::Target TfrmMemo::memoTarget() const { return {dxDBMemoGeneral->dataset(), dxDBMemoGeneral->dataField()}; }

void TfrmMemo::writeTypedText()
{
    db::Dataset *ds = dxDBMemoGeneral->dataset();
    if (ds && ds->isEditing() && dxDBMemoGeneral->isEditorModified())
        dxDBMemoGeneral->updateRecord();
}

void TfrmMemo::fbtnAddTimeClick()
{
    const Target t = memoTarget();
    if (!t.dataset)
        return;
    try {
        // The stamp goes behind what was typed, not in place of it.
        if (dxDBMemoGeneral->dataset() == t.dataset)
            writeTypedText();
    } catch (const std::exception &) {
        return; // stamp errors are swallowed; the box keeps the typed text
    }
    stampMemo(*t.dataset, t.field);
}

void TfrmMemo::fbtnGetFilesClick()
{
    attachments::TfrmGetFiles getFiles(this);
    getFiles.exec();
}

void TfrmMemo::fbtnSaveClick()
{
    // The record posted is the one the box shows; choosing it by words of the notice would
    // post the wrong records for titles that contain another window's word.
    const Target t = memoTarget();
    if (t.dataset) {
        if (t.dataset->state() == db::State::Browse)
            t.dataset->edit();
        t.dataset->post();
    }
    dxMemoGeneral->clear();
    accept();
}

void TfrmMemo::done(int result)
{
    // Closing without saving keeps the typed text pending in the record, as an edit.
    sys::guarded(this, [this] { writeTypedText(); });
    QDialog::done(result);
}

} // namespace business
