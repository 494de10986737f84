#include "attachments/TfrmGetFiles.h"

#include "attachments/AttachmentFetch.h"
#include "attachments/HelpMemo.h"

#include "platform/system/Guard.h"
#include "platform/system/Services.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace attachments {

TfrmGetFiles::TfrmGetFiles(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmGetFiles"_s);
    setWindowTitle(u"获取附件"_s);

    auto *label = new QLabel(u"文件名称："_s, this);
    FlatEditFileName = new QLineEdit(this);
    FlatEditFileName->setObjectName(u"FlatEditFileName"_s);
    FlatEditFileName->setReadOnly(true); // filled only by the file dialog
    FlatEditFileName->setMinimumWidth(320);
    label->setBuddy(FlatEditFileName);
    FlatButtonSelectFile = new QPushButton(u"选择文件"_s, this);
    FlatButtonSelectFile->setObjectName(u"FlatButtonSelectFile"_s);

    Memo1 = newHelpMemo(u"Memo1"_s, u"\n移动 - 将选定的文件移动到目标文件夹\n\n复制 - 将选定的文件复制一份到目标文件夹"_s, this);

    BitBtn1 = new QPushButton(u"复制"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn2 = new QPushButton(u"移动"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn3 = new QPushButton(u"关闭"_s, this);
    BitBtn3->setObjectName(u"BitBtn3"_s);
    for (QPushButton *b : {FlatButtonSelectFile, BitBtn1, BitBtn2, BitBtn3})
        b->setAutoDefault(false);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(label);
    fileRow->addWidget(FlatEditFileName, 1);
    fileRow->addWidget(FlatButtonSelectFile);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fileRow);
    layout->addWidget(Memo1);
    layout->addLayout(buttons);

    connect(FlatButtonSelectFile, &QPushButton::clicked, this,
            [this] { sys::guarded(this, [this] { FlatButtonSelectFileClick(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fetch(false); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { sys::guarded(this, [this] { fetch(true); }); });
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);
}

QString TfrmGetFiles::fileFilter()
{
    // "*" rather than "*.*": on this system a file need not have an extension.
    return u"所有文件 (*);;Word文档 (*.doc);;BMP图象 (*.bmp);;网页文档 (*.htm)"_s;
}

void TfrmGetFiles::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    FlatEditFileName->clear();
}

void TfrmGetFiles::FlatButtonSelectFileClick()
{
    const QString file = sys::dialogs().openFile(this, u"选择文件"_s, QString(), fileFilter());
    if (!file.isEmpty())
        FlatEditFileName->setText(QDir::toNativeSeparators(file));
}

void TfrmGetFiles::fetch(bool move)
{
    const QString file = QDir::fromNativeSeparators(FlatEditFileName->text());
    if (file.isEmpty())
        return;
    // Nothing is reported; a name that exists already is never overwritten and a move then
    // leaves the source where it was.
    fetchFile(file, attachmentPanelFolder(), move);
}

} // namespace attachments
