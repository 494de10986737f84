#pragma once
// What the customer window tests share: a program folder with a database holding the
// classification lists, the data module with the main window's attachment panel stood in
// for, the service doubles, and ways to work the windows as a user does.
#include "FakeServices.h"
#include "TempProgramFolder.h"

#include "store/DMOrvane.h"
#include "store/General.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace customers_test {

using namespace Qt::StringLiterals;

struct CustomerFixture
{
    fake::Services services;
    testing::TempProgramFolder folder;
    std::unique_ptr<store::TDMOrvane> dm;
    QString panelFolder;  // where the attachment panel was pointed last
    QString mainCaption;  // the main window's caption

    CustomerFixture()
    {
        crm::AppPath = folder.appPath();
        crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
        QDir().mkpath(crm::AccessoryRoot);
        folder.exec(u"INSERT INTO CustLevel(CustLevelNO, CustLevelName) VALUES ('A级', '重要'), ('B级', '一般')"_s);
        folder.exec(u"INSERT INTO CustDistDB(CustDist, CustSource) VALUES ('华北', ''), ('华东', '')"_s);
        folder.exec(u"INSERT INTO CustType(CustTypeID, CustTypeName) VALUES ('1', '企业'), ('2', '个人')"_s);
        folder.exec(u"INSERT INTO CustVocation(VocatID, VocatName) VALUES ('1', '广告'), ('2', '物流')"_s);
        dm = std::make_unique<store::TDMOrvane>();
        store::DMOrvane = dm.get();
        dm->hooks.pointAttachmentPanel = [this](const QString &f) {
            panelFolder = f;
            return true;
        };
        dm->hooks.attachmentPanelPath = [this] { return panelFolder; };
        dm->hooks.setMainCaption = [this](const QString &c) { mainCaption = c; };
        dm->create();
    }
    ~CustomerFixture()
    {
        dm.reset();
        store::DMOrvane = nullptr;
    }

    // A stored customer (dates as ISO text); returns its CustNo.
    int addCustomer(const QString &shortName, const QString &createTime = u"2023-03-08"_s,
                    const QString &level = u"A级"_s, const QString &district = u"华东"_s)
    {
        folder.exec(u"INSERT INTO Customers(CustName_S, CreateTime, CustLevel, CustDistdb, AccessoryPath) "
                    "VALUES ('%1', '%2', '%3', '%4', '%1')"_s.arg(shortName, createTime, level, district));
        return folder.scalar(u"SELECT MAX(CustNo) FROM Customers"_s).toInt();
    }
    int count(const QString &table) const { return folder.scalar(u"SELECT COUNT(*) FROM "_s + table).toInt(); }
    QVariant custValue(const QString &shortName, const QString &field) const
    {
        return folder.scalar(u"SELECT %1 FROM Customers WHERE CustName_S = '%2'"_s.arg(field, shortName));
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &m : services.messages.shown)
            texts << m.text;
        return texts;
    }
    // The one message shown so far is a warning with this text under "系统提示".
    void expectWarning(const QString &text) const
    {
        QCOMPARE(messageTexts(), QStringList{text});
        QCOMPARE(services.messages.shown.first().title, u"系统提示"_s);
        QCOMPARE(services.messages.shown.first().icon, sys::Icon::Warning);
    }
};

inline void showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

inline void focus(QWidget *w)
{
    w->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(w->hasFocus());
}

// Types into a box the way a user does (Chinese through key events with text).
inline void typeInto(QWidget *box, const QString &text)
{
    focus(box);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Picks an entry of a drop-down with the arrow keys, as a user does.
inline void choose(QComboBox *combo, const QString &text)
{
    focus(combo);
    const int row = combo->findText(text);
    QVERIFY2(row >= 0, qPrintable(text));
    for (int guard = 0; combo->currentIndex() != row && guard < 100; ++guard)
        QTest::keyClick(combo, combo->currentIndex() < row ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(combo->currentText(), text);
}

inline void click(QPushButton *button)
{
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

// Runs action on the next modal window once it is up (a test never waits on a real one).
inline void whenModal(const std::function<void(QWidget *)> &action)
{
    auto *timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, tries] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w && ++*tries < 500)
            return;
        timer->stop();
        timer->deleteLater();
        if (w)
            action(w);
    });
    timer->start(10);
}

} // namespace customers_test
