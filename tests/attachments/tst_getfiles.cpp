// The fetch-files window: copy or move into the attachment panel's folder, never overwriting.
#include "FakeServices.h"

#include "attachments/TfrmGetFiles.h"
#include "store/DMOrvane.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using attachments::TfrmGetFiles;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestGetFiles : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<fake::Services> m_services;
    std::unique_ptr<store::TDMOrvane> m_dm;
    std::unique_ptr<TfrmGetFiles> m_window;
    QString m_panel; // the folder the main window's attachment panel shows

    QString path(const QString &relative) const { return m_dir->filePath(relative); }
    QLineEdit *fileBox() const { return m_window->findChild<QLineEdit *>(u"FlatEditFileName"_s); }
    void click(const char *button) { QTest::mouseClick(m_window->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton); }

    // Opens the window and chooses a file through its file dialog.
    void chooseFile(const QString &file)
    {
        m_window = std::make_unique<TfrmGetFiles>();
        m_window->show();
        m_services->dialogs.openFileNames.enqueue(file);
        click("FlatButtonSelectFile");
    }

private slots:
    void init()
    {
        m_services = std::make_unique<fake::Services>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_dm = std::make_unique<store::TDMOrvane>();
        store::DMOrvane = m_dm.get();
        m_panel = path(u"Accessory/华信/画册"_s);
        QDir().mkpath(m_panel);
        m_dm->hooks.attachmentPanelPath = [this] { return m_panel; };
        writeFile(path(u"外部/报价.doc"_s), "quote");
    }
    void cleanup()
    {
        m_window.reset();
        m_dm.reset();
        m_dir.reset();
        m_services.reset();
    }

    void fileBoxIsFilledOnlyByTheDialog()
    {
        chooseFile(path(u"外部/报价.doc"_s));
        QCOMPARE(m_services->dialogs.asked, QStringList{u"openFile: 选择文件"_s});
        QCOMPARE(m_services->dialogs.lastFilter, u"所有文件 (*);;Word文档 (*.doc);;BMP图象 (*.bmp);;网页文档 (*.htm)"_s);
        QCOMPARE(fileBox()->text(), QDir::toNativeSeparators(path(u"外部/报价.doc"_s)));

        fileBox()->setFocus();
        QTest::keyClicks(fileBox(), u"abc"_s);
        QTest::keyClick(fileBox(), Qt::Key_Backspace);
        QCOMPARE(fileBox()->text(), QDir::toNativeSeparators(path(u"外部/报价.doc"_s)));

        click("FlatButtonSelectFile"); // cancelled: the box keeps its file
        QCOMPARE(fileBox()->text(), QDir::toNativeSeparators(path(u"外部/报价.doc"_s)));

        m_window->hide();
        m_window->show(); // shown again: empty
        QCOMPARE(fileBox()->text(), QString());
    }

    void copyAndMoveIntoThePanelFolder()
    {
        chooseFile(path(u"外部/报价.doc"_s));
        click("BitBtn1");
        QCOMPARE(readFile(m_panel + u"/报价.doc"_s), QByteArray("quote"));
        QVERIFY(QFileInfo::exists(path(u"外部/报价.doc"_s)));
        QVERIFY(m_window->isVisible()); // stays open for the next file

        // The target is the folder the panel shows at the moment of the copy.
        m_panel = path(u"Accessory/远东"_s);
        QDir().mkpath(m_panel);
        click("BitBtn2");
        QCOMPARE(readFile(m_panel + u"/报价.doc"_s), QByteArray("quote"));
        QVERIFY(!QFileInfo::exists(path(u"外部/报价.doc"_s)));
        QVERIFY(m_services->messages.shown.isEmpty());
    }

    void existingNameIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("move");
        QTest::newRow("copy") << false;
        QTest::newRow("move") << true;
    }
    void existingNameIsNeverOverwritten()
    {
        QFETCH(bool, move);
        writeFile(m_panel + u"/报价.doc"_s, "older quote");
        chooseFile(path(u"外部/报价.doc"_s));
        click(move ? "BitBtn2" : "BitBtn1");
        QCOMPARE(readFile(m_panel + u"/报价.doc"_s), QByteArray("older quote"));
        QCOMPARE(readFile(path(u"外部/报价.doc"_s)), QByteArray("quote"));
        QVERIFY(m_services->messages.shown.isEmpty());
    }

    void emptyBoxDoesNothing()
    {
        m_window = std::make_unique<TfrmGetFiles>();
        m_window->show();
        click("BitBtn1");
        click("BitBtn2");
        QVERIFY(QDir(m_panel).isEmpty());
        click("BitBtn3");
        QVERIFY(!m_window->isVisible());
    }

    void lookOfTheWindow()
    {
        chooseFile(path(u"外部/报价.doc"_s));
        QCOMPARE(m_window->windowTitle(), u"获取附件"_s);
        if (!qEnvironmentVariableIsEmpty("CRM_GRAB_DIR"))
            QVERIFY(m_window->grab().save(QDir(qEnvironmentVariable("CRM_GRAB_DIR")).filePath(u"frmGetFiles.png"_s)));
    }
};

QTEST_MAIN(TestGetFiles)
#include "tst_getfiles.moc"
