// The customer page: new customers, the required boxes, the short-name lock, contacts, the
// memo stamp, the links and the Enter chains, driven as a user drives them.
#include "CustomerFixture.h"

#include "business/TFrmMemo1.h"
#include "customers/CustomerRules.h"
#include "customers/TfrmLinkmanDetail.h"
#include "customers/TfrmNewCust.h"
#include "customers/Tfrmcustdetail.h"
#include "platform/db/Connection.h"
#include "platform/system/TextFormat.h"
#include "platform/widgets/DBEdit.h"
#include "platform/widgets/DBGrid.h"
#include "platform/widgets/DBHyperLinkEdit.h"
#include "platform/widgets/DBLookupCombo.h"
#include "platform/widgets/DBMemo.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace customers_test;
using customers::TfrmNewCust;

class TestNewCust : public QObject
{
    Q_OBJECT
    std::unique_ptr<CustomerFixture> f;
    std::unique_ptr<TfrmNewCust> page;

    db::Table &cust() const { return *f->dm->tlbCust; }
    db::Table &contacts() const { return *f->dm->tlbLinkman; }

    // The required boxes of a new customer, filled in.
    void fillNewCustomer(const QString &shortName)
    {
        typeInto(page->dxDBEditCustN_S, shortName);
        choose(page->dxDBLookupEdit1, u"A级"_s);
        choose(page->dxDBLookupEdit2, u"华东"_s);
    }
    void saveNewCustomer(const QString &shortName)
    {
        page->newCustomer();
        fillNewCustomer(shortName);
        click(page->FbtnSaveCust);
        QCOMPARE(cust().state(), db::State::Browse);
    }
    // Opens a stored customer the way the customer list does.
    void openCustomer(const QString &shortName)
    {
        cust().open();
        QVERIFY(cust().locate(u"CustName_S"_s, shortName));
        contacts().open();
    }

private slots:
    void init()
    {
        f = std::make_unique<CustomerFixture>();
        page = std::make_unique<TfrmNewCust>(f->dm.get());
        page->resize(740, 520);
        showActive(page.get());
    }
    void cleanup()
    {
        page.reset();
        f.reset();
    }

    void newCustomerPreparesThePage()
    {
        QVERIFY(page->FbtnSaveCust->isEnabled());
        QVERIFY(!page->FbtnAddLinkman->isEnabled());
        QVERIFY(!page->FbtnSaveLinkman->isEnabled());
        for (QPushButton *b : {page->FbtnDelLkman, page->FlatButton2, page->FbtnLinkmanMemo, page->FbtnAddTime,
                               page->FbtnLarge})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));

        f->addCustomer(u"华信"_s);
        openCustomer(u"华信"_s);
        QCOMPARE(page->lblCreateTime->text(), u"2023/3/8"_s);
        page->FbtnSaveCust->setEnabled(false);

        page->newCustomer();
        QCOMPARE(page->lblCreateTime->text(), u"2024/5/15"_s);
        QCOMPARE(cust().state(), db::State::Insert);
        QVERIFY(page->dxDBEditCustN_S->text().isEmpty());
        QVERIFY(page->FbtnSaveCust->isEnabled());
        QVERIFY(!contacts().isActive());
        QVERIFY(!page->dxDBEditLKName->isEnabled());
        QTRY_VERIFY(page->dxDBEditCustNum->hasFocus());

        // Leaving the new customer shows the stored date again.
        cust().cancel();
        QCOMPARE(page->lblCreateTime->text(), u"2023/3/8"_s);
    }

    // Only the first empty box, in the order level, district, short name, is reported.
    void requiredBoxes_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("district");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("all empty") << "" << "" << "" << u"请输入客户级别！"_s << "dxDBLookupEdit1";
        QTest::newRow("level only") << u"A级"_s << "" << "" << u"请输入客户区域！"_s << "dxDBLookupEdit2";
        QTest::newRow("short name missing") << u"A级"_s << u"华东"_s << "" << u"请输入客户简称！"_s << "dxDBEditCustN_S";
        QTest::newRow("level missing") << "" << u"华东"_s << u"华信"_s << u"请输入客户级别！"_s << "dxDBLookupEdit1";
        QTest::newRow("district missing") << u"A级"_s << "" << u"华信"_s << u"请输入客户区域！"_s << "dxDBLookupEdit2";
    }
    void requiredBoxes()
    {
        QFETCH(QString, level);
        QFETCH(QString, district);
        QFETCH(QString, shortName);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        page->newCustomer();
        if (!shortName.isEmpty())
            typeInto(page->dxDBEditCustN_S, shortName);
        if (!level.isEmpty())
            choose(page->dxDBLookupEdit1, level);
        if (!district.isEmpty())
            choose(page->dxDBLookupEdit2, district);
        click(page->FbtnSaveCust);
        f->expectWarning(message);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), focused);
        QCOMPARE(f->count(u"Customers"_s), 0);
        QCOMPARE(cust().state(), db::State::Insert);
        QVERIFY(page->FbtnSaveCust->isEnabled());
    }

    void savesANewCustomer()
    {
        QSignalSpy saved(page.get(), &TfrmNewCust::customerSaved);
        page->newCustomer();
        f->services.clock.current = QDateTime(QDate(2024, 5, 16), QTime(9, 0)); // saved the next day
        typeInto(page->dxDBEditCustNum, u"HX001"_s);
        fillNewCustomer(u"华信"_s);
        typeInto(page->dxDBEditAddress, u"北京市海淀区学院路1号"_s);
        typeInto(page->dxMemoCust, u"老客户介绍"_s);
        click(page->FbtnSaveCust);

        QVERIFY(f->messageTexts().isEmpty());
        QCOMPARE(f->count(u"Customers"_s), 1);
        QCOMPARE(f->custValue(u"华信"_s, u"CustNum"_s).toString(), u"HX001"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CreateTime"_s).toString(), u"2024-05-15"_s); // the day of "新建客户"
        QCOMPARE(f->custValue(u"华信"_s, u"AccessoryPath"_s).toString(), u"华信"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CustLevel"_s).toString(), u"A级"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CustDistdb"_s).toString(), u"华东"_s);
        QVERIFY(f->custValue(u"华信"_s, u"CustTypeName"_s).isNull()); // the type may stay empty
        QCOMPARE(f->custValue(u"华信"_s, u"CustMemo"_s).toString(), u"老客户介绍"_s);
        const QString folder = crm::AccessoryRoot + u"华信"_s;
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(f->panelFolder, folder);
        QCOMPARE(f->mainCaption, u"Kelvor中小企业客户管理－附件夹路径："_s + folder);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved.first().first().toString(), u"华信"_s);
        QVERIFY(!page->FbtnSaveCust->isEnabled());
        QVERIFY(page->FbtnAddLinkman->isEnabled());
        QCOMPARE(page->lblCreateTime->text(), u"2024/5/15"_s);

        // A second customer of the same short name shares the folder.
        QFile marker(folder + u"/合同.doc"_s);
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        saveNewCustomer(u"华信"_s);
        QCOMPARE(f->count(u"Customers"_s), 2);
        QVERIFY(marker.exists());
    }

    void aRefusedPostKeepsTheNewCustomer()
    {
        f->folder.exec(u"CREATE TRIGGER refuse BEFORE INSERT ON Customers BEGIN SELECT RAISE(ABORT, '磁盘已满'); END"_s);
        page->newCustomer();
        fillNewCustomer(u"华信"_s);
        click(page->FbtnSaveCust);
        QCOMPARE(f->services.messages.shown.size(), 1);
        QVERIFY(f->services.messages.shown.first().text.contains(u"磁盘已满"_s));
        QCOMPARE(cust().state(), db::State::Insert);
        QCOMPARE(page->dxDBEditCustN_S->text(), u"华信"_s);
        QVERIFY(page->FbtnSaveCust->isEnabled());
        QVERIFY(!page->FbtnAddLinkman->isEnabled());
    }

    void savedShortNameCannotChangeHere()
    {
        // While the customer is new, the name may be retyped freely.
        page->newCustomer();
        typeInto(page->dxDBEditCustN_S, u"华联"_s);
        focus(page->dxDBEditPhone1);
        typeInto(page->dxDBEditCustN_S, u"达"_s);
        focus(page->dxDBEditPhone1);
        QCOMPARE(page->dxDBEditCustN_S->text(), u"华联达"_s);
        cust().cancel();

        saveNewCustomer(u"华信"_s);
        page->dxDBEditCustN_S->selectAll();
        typeInto(page->dxDBEditCustN_S, u"新名"_s);
        QCOMPARE(page->dxDBEditCustN_S->text(), u"新名"_s);
        focus(page->dxDBEditPhone1);
        QCOMPARE(page->dxDBEditCustN_S->text(), u"华信"_s);
        QVERIFY(!page->FbtnSaveCust->isEnabled());
        QCOMPARE(cust().field(u"CustName_S"_s).asString(), u"华信"_s);

        // Emptied, the box is left empty, and the save asks for a name.
        page->dxDBEditCustN_S->selectAll();
        focus(page->dxDBEditCustN_S);
        QTest::keyClick(page->dxDBEditCustN_S, Qt::Key_Delete);
        focus(page->dxDBEditPhone1);
        QVERIFY(page->dxDBEditCustN_S->text().isEmpty());
        click(page->FbtnSaveCust);
        f->expectWarning(u"请输入客户简称！"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CustNo"_s).toInt(), cust().field(u"CustNo"_s).asInteger());
    }

    void boxesRefuseTextPastTheFieldWidth()
    {
        page->newCustomer();
        typeInto(page->dxDBEditCustN_S, u"华信科技公司"_s);
        QCOMPARE(page->dxDBEditCustN_S->text(), u"华信科技公"_s); // ten GBK bytes
        typeInto(page->dxDBEditPostCode, u"1000871"_s);
        QCOMPARE(page->dxDBEditPostCode->text(), u"100087"_s);
    }

    void typingMakesTheCustomerSavableAgain()
    {
        saveNewCustomer(u"华信"_s);
        choose(page->dxDBLookupEdit2, u"华北"_s);
        focus(page->dxDBEditPhone1);
        QVERIFY(!page->FbtnSaveCust->isEnabled()); // a choice from a list does not
        typeInto(page->dxDBEditPhone1, u"010-62345678"_s);
        QVERIFY(!page->FbtnSaveCust->isEnabled()); // only leaving the box does
        focus(page->dxDBEditPhone2);
        QVERIFY(page->FbtnSaveCust->isEnabled());
        click(page->FbtnSaveCust);
        QCOMPARE(f->custValue(u"华信"_s, u"Phone1"_s).toString(), u"010-62345678"_s);
        QCOMPARE(f->custValue(u"华信"_s, u"CustDistdb"_s).toString(), u"华北"_s);
    }

    void contactsNeedASavedCustomer()
    {
        saveNewCustomer(u"华信"_s); // enables "添加联系人" for the run
        page->newCustomer();
        fillNewCustomer(u"远大"_s);
        click(page->FbtnAddLinkman);
        f->expectWarning(u"请先保存客户，再添加联系人！"_s);
        QVERIFY(!contacts().isActive());
        QCOMPARE(cust().state(), db::State::Insert);

        click(page->FbtnSaveCust);
        const int custNo = f->custValue(u"远大"_s, u"CustNo"_s).toInt();
        click(page->FbtnAddLinkman);
        QCOMPARE(contacts().state(), db::State::Insert);
        QTRY_VERIFY(page->dxDBEditLKName->hasFocus());
        QVERIFY(!page->FbtnSaveLinkman->isEnabled());
        typeInto(page->dxDBEditLKName, u"张伟"_s);
        QVERIFY(page->FbtnSaveLinkman->isEnabled());
        typeInto(page->dxDBEditLKMPhone, u"13901234567"_s);
        click(page->FbtnSaveLinkman);
        QCOMPARE(f->count(u"Linkmans"_s), 1);
        QCOMPARE(f->folder.scalar(u"SELECT CustNo FROM Linkmans WHERE Name = '张伟'"_s).toInt(), custNo);
        QCOMPARE(f->folder.scalar(u"SELECT MobilePhone FROM Linkmans"_s).toString(), u"13901234567"_s);
    }

    void contactChangesWaitForTheCustomer()
    {
        const int custNo = f->addCustomer(u"华信"_s);
        f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name) VALUES (%1, '张伟')"_s.arg(custNo));
        openCustomer(u"华信"_s);
        QVERIFY(page->FbtnSaveCust->isEnabled()); // from start-up
        typeInto(page->dxDBEditLKDepDuty, u"经理"_s);
        QVERIFY(!page->FbtnSaveLinkman->isEnabled());
        saveNewCustomer(u"远大"_s);
        openCustomer(u"华信"_s);
        typeInto(page->dxDBEditLKDepDuty, u"经理"_s);
        QVERIFY(page->FbtnSaveLinkman->isEnabled());
    }

    void contactGridAndDelete()
    {
        const int custNo = f->addCustomer(u"华信"_s);
        f->addCustomer(u"远大"_s);
        for (const QString &name : {u"李娜"_s, u"张伟"_s, u"王芳"_s})
            f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name, PhoneOffice, MobilePhone) VALUES (%1, '%2', '010-1', '139')"_s
                               .arg(custNo)
                               .arg(name));
        openCustomer(u"华信"_s);
        widgets::DBGrid *grid = page->dxDGLinkman;
        QStringList visible;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (!grid->isColumnHidden(c))
                visible << grid->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(visible, (QStringList{u"姓名"_s, u"办公室电话"_s, u"手机"_s}));
        QStringList names;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            names << grid->model()->index(r, 0).data().toString();
        QCOMPARE(names, (QStringList{u"张伟"_s, u"王芳"_s, u"李娜"_s}));

        // Selecting a row makes that contact the one the boxes show.
        grid->setCurrentIndex(grid->model()->index(2, 0));
        QCOMPARE(page->dxDBEditLKName->text(), u"李娜"_s);

        f->services.messages.answers.enqueue(sys::Button::Cancel);
        click(page->FbtnDelLkman);
        QCOMPARE(f->services.messages.shown.size(), 1);
        QCOMPARE(f->services.messages.shown.first().text, u"真的要删除该记录吗？"_s);
        QCOMPARE(f->services.messages.shown.first().icon, sys::Icon::Question);
        QCOMPARE(f->services.messages.shown.first().defaultButton, sys::Button::Cancel);
        QCOMPARE(f->count(u"Linkmans"_s), 3);
        click(page->FbtnDelLkman);
        QCOMPARE(f->count(u"Linkmans"_s), 2);
        QCOMPARE(f->folder.scalar(u"SELECT COUNT(*) FROM Linkmans WHERE Name = '李娜'"_s).toInt(), 0);

        // A customer without contacts: nothing asked, nothing deleted.
        openCustomer(u"远大"_s);
        f->services.messages.shown.clear();
        click(page->FbtnDelLkman);
        QVERIFY(f->services.messages.shown.isEmpty());
        QCOMPARE(f->count(u"Linkmans"_s), 2);
    }

    void memoStamp()
    {
        const QString stamp = u"2024/5/15 "_s + sys::longTime(QTime(10, 30));
        page->newCustomer();
        click(page->FbtnAddTime);
        QCOMPARE(page->dxMemoCust->text(), u"\n"_s + stamp); // an empty memo starts with the line break
        fillNewCustomer(u"华信"_s);
        click(page->FbtnSaveCust);
        QCOMPARE(f->custValue(u"华信"_s, u"CustMemo"_s).toString(), u"\n"_s + stamp);

        // Stamping a saved customer is a change to save.
        click(page->FbtnAddTime);
        QVERIFY(page->FbtnSaveCust->isEnabled());
        click(page->FbtnSaveCust);
        QCOMPARE(f->custValue(u"华信"_s, u"CustMemo"_s).toString(), u"\n"_s + stamp + u"\n"_s + stamp);
    }

    void largeMemoCarriesTheUnsavedMemo()
    {
        page->newCustomer();
        typeInto(page->dxDBEditCustN_S, u"华信"_s);
        typeInto(page->dxMemoCust, u"初次洽谈"_s);
        QString notice, hidden, shown;
        whenModal([&](QWidget *w) {
            auto *memo = qobject_cast<business::TFrmMemo1 *>(w);
            QVERIFY(memo);
            notice = memo->notice();
            hidden = memo->dxMemoGeneral->toPlainText();
            shown = memo->dxDBMemoGeneral->text();
            QCOMPARE(memo->dxDBMemoGeneral->dataset(), f->dm->tlbCust);
            QCOMPARE(memo->dxDBMemoGeneral->dataField(), u"CustMemo"_s);
            memo->reject();
        });
        click(page->FbtnLarge);
        QCOMPARE(notice, u"客户名称--华信"_s);
        QCOMPARE(hidden, u"初次洽谈"_s);
        QCOMPARE(shown, u"初次洽谈"_s);
        QCOMPARE(cust().state(), db::State::Insert);
    }

    void singleClickOpensLinks()
    {
        const int custNo = f->addCustomer(u"华信"_s);
        f->folder.exec(u"UPDATE Customers SET Email = 'info@huaxin.cn', HomePage = 'www.huaxin.cn'"_s);
        f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name) VALUES (%1, '张伟')"_s.arg(custNo));
        openCustomer(u"华信"_s);
        QTest::mouseClick(page->dxDBHLEdtMail, Qt::LeftButton);
        QTRY_COMPARE(f->services.shell.opened, QList<QUrl>{QUrl(u"mailto:info@huaxin.cn"_s)});
        QTest::mouseClick(page->dxDBHLEdtHomePage, Qt::LeftButton);
        QTRY_COMPARE(f->services.shell.opened.size(), 2);
        QCOMPARE(f->services.shell.opened.last(), QUrl::fromUserInput(u"www.huaxin.cn"_s));

        // Empty boxes open nothing.
        QTest::mouseClick(page->dxDBHLEdtLKEmail, Qt::LeftButton);
        QTest::mouseClick(page->dxDBHLEdtLKHomePage, Qt::LeftButton);
        QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QCOMPARE(f->services.shell.opened.size(), 2);
    }

    void mailDoubleClickAddsAnAddressBookContact()
    {
        int bookShown = 0;
        page->showAddressBook = [&] { ++bookShown; };
        page->newCustomer();
        fillNewCustomer(u"华信"_s);
        typeInto(page->dxDBHLEdtMail, u"info@huaxin.cn"_s);
        QTest::mouseDClick(page->dxDBHLEdtMail, Qt::LeftButton);
        f->expectWarning(u"请先保存客户，再添加联系人！"_s);
        QCOMPARE(bookShown, 0);

        click(page->FbtnSaveCust);
        QTest::mouseDClick(page->dxDBHLEdtMail, Qt::LeftButton);
        QCOMPARE(bookShown, 1);
        QCOMPARE(contacts().state(), db::State::Insert);
        QCOMPARE(page->dxDBEditLKName->text(), u"华信"_s);
        QCOMPARE(page->dxDBHLEdtLKEmail->text(), u"info@huaxin.cn"_s);
        QCOMPARE(f->count(u"Linkmans"_s), 0); // left unsaved
        click(page->FbtnSaveLinkman);
        QCOMPARE(f->folder.scalar(u"SELECT Email FROM Linkmans WHERE Name = '华信'"_s).toString(), u"info@huaxin.cn"_s);
        QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QVERIFY(f->services.shell.opened.isEmpty()); // a double click is no single click
    }

    void enterMovesAlongTheChains_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("number") << "dxDBEditCustNum" << "dxDBEditCustN_S";
        QTest::newRow("short name") << "dxDBEditCustN_S" << "dxDBEditLicense";
        QTest::newRow("phone 2") << "dxDBEditPhone2" << "dxDBLookupEdit1";
        QTest::newRow("level") << "dxDBLookupEdit1" << "dxDBLookupEdit2";
        QTest::newRow("district") << "dxDBLookupEdit2" << "dxDBHLEdtHomePage";
        QTest::newRow("home page") << "dxDBHLEdtHomePage" << "dxMemoCust";
        QTest::newRow("e-mail") << "dxDBHLEdtMail" << "dxDBLookupEdit3";
        QTest::newRow("type") << "dxDBLookupEdit3" << "dxDBHLEdtHomePage";
        QTest::newRow("contact name") << "dxDBEditLKName" << "dxDBEditLKDepDuty";
        QTest::newRow("contact e-mail") << "dxDBHLEdtLKEmail" << "dxDBEditLKPostCode";
        QTest::newRow("home address") << "dxDBEditLKHAddress" << "dxDBHLEdtLKHomePage";
    }
    void enterMovesAlongTheChains()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        const int custNo = f->addCustomer(u"华信"_s);
        f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name) VALUES (%1, '张伟')"_s.arg(custNo));
        openCustomer(u"华信"_s);
        auto *box = page->findChild<QWidget *>(from);
        QVERIFY(box);
        focus(box);
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), to);
    }

    void enterInContactHomePageOpensTheContactDetail()
    {
        const int custNo = f->addCustomer(u"华信"_s);
        f->folder.exec(u"INSERT INTO Linkmans(CustNo, Name) VALUES (%1, '张伟')"_s.arg(custNo));
        openCustomer(u"华信"_s);
        QString opened;
        whenModal([&](QWidget *w) {
            opened = w->windowTitle();
            QVERIFY(qobject_cast<customers::TfrmLinkmanDetail *>(w));
            static_cast<QDialog *>(w)->reject();
        });
        focus(page->dxDBHLEdtLKHomePage);
        QTest::keyClick(page->dxDBHLEdtLKHomePage, Qt::Key_Return);
        QCOMPARE(opened, u"编辑联系人详情"_s);
    }

    void districtListIsReloadedOnClick()
    {
        page->newCustomer();
        f->folder.exec(u"INSERT INTO CustDistDB(CustDist) VALUES ('西南')"_s);
        QCOMPARE(page->dxDBLookupEdit2->findText(u"西南"_s), -1);
        QTest::mouseClick(page->dxDBLookupEdit3, Qt::LeftButton); // the type box reloads it too
        page->dxDBLookupEdit3->hidePopup();
        QVERIFY(page->dxDBLookupEdit2->findText(u"西南"_s) >= 0);
        choose(page->dxDBLookupEdit2, u"西南"_s);
        QCOMPARE(cust().field(u"CustDistdb"_s).asString(), u"西南"_s);
    }

    void detailSaveEnablesThePageButtons()
    {
        f->addCustomer(u"华信"_s);
        openCustomer(u"华信"_s);
        page->FbtnSaveCust->setEnabled(false);
        whenModal([](QWidget *w) {
            auto *detail = qobject_cast<customers::Tfrmcustdetail *>(w);
            QVERIFY(detail);
            typeInto(detail->dxDBEditCustName_A, u"华信广告有限公司"_s);
            QTest::mouseClick(detail->BitBtn6, Qt::LeftButton);
        });
        click(page->FlatButton2);
        QVERIFY(page->FbtnSaveCust->isEnabled());
        QVERIFY(page->FbtnAddLinkman->isEnabled());
        QCOMPARE(f->custValue(u"华信"_s, u"CustName_A"_s).toString(), u"华信广告有限公司"_s);
        QCOMPARE(f->panelFolder, crm::AccessoryRoot + u"华信"_s);
    }


    // Opening a customer with the page showing, on the benchmark database (10,000 customers):
    // CRM_BENCH_DATA names its data folder.
    void openingACustomerIsQuick()
    {
        const QString data = qEnvironmentVariable("CRM_BENCH_DATA");
        if (data.isEmpty())
            QSKIP("CRM_BENCH_DATA is not set");
        page.reset();
        f.reset();
        fake::Services services;
        db::Connection::openAlias(u"CRM"_s, data);
        {
            store::TDMOrvane dm;
            store::DMOrvane = &dm;
            dm.create();
            TfrmNewCust bench(&dm);
            bench.resize(740, 520);
            showActive(&bench);
            dm.tlbCust->open();
            dm.tlbLinkman->open();
            dm.tlbOperates->open();
            const int rows = dm.tlbCust->recordCount();
            QList<qint64> times;
            for (int i = 1; i <= 21; ++i) {
                const QString name = dm.tlbCust->rowValue((i * 4793) % rows, dm.tlbCust->fieldIndex(u"CustName_S"_s)).toString();
                QElapsedTimer t;
                t.start();
                dm.tlbCust->locate(u"CustName_S"_s, name);
                QCoreApplication::processEvents();
                times << t.nsecsElapsed();
            }
            std::sort(times.begin(), times.end());
            qInfo("open_customer_with_page customers=%d median_ms=%.2f max_ms=%.2f", rows, times[times.size() / 2] / 1e6,
                  times.last() / 1e6);
            QVERIFY(times[times.size() / 2] < 100'000'000);
        }
        store::DMOrvane = nullptr;
        db::Connection::closeAlias();
    }
};

QTEST_MAIN(TestNewCust)
#include "tst_newcust.moc"
