#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace store { class TDMOrvane; }
namespace widgets {
class DBEdit;
class DBGrid;
class DBHyperLinkEdit;
class DBLookupCombo;
class DBMemo;
} // namespace widgets

namespace customers {

// "新建客户", the customer page: the frequently used fields of the current customer (tlbCust)
// and its contact persons (tlbLinkman). Never shown as a window: the main window puts pnCust
// into its customer tab. The boxes follow the shared datasets, so whatever customer they stand
// on is what the page shows.
class TfrmNewCust : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmNewCust(store::TDMOrvane *dm, QWidget *parent = nullptr);
    ~TfrmNewCust() override;

    // The main window's "新建客户", after it has shown the customer tab alone: dates the new
    // customer today, appends it to tlbCust, enables "保存客户", empties the contact section
    // and puts the focus in the customer-number box.
    void newCustomer();

    // Handlers of the page's buttons.
    void FbtnSaveCustClick();
    void FbtnAddLinkmanClick();
    void FbtnSaveLinkmanClick();
    void FbtnDelLkmanClick();
    void FlatButton2Click();     // customer "详情"
    void FbtnLinkmanMemoClick(); // contact "详情"
    void FbtnAddTimeClick();
    void FbtnLargeClick();

    // HOOK until the address book lands: opens TfrmAddress without waiting (customer e-mail
    // double click, contact e-mail double click). Unset, nothing opens.
    std::function<void()> showAddressBook;

    QWidget *pnCust; // the content, moved into the main window's customer tab

    // Customer section.
    widgets::DBEdit *dxDBEditCustNum, *dxDBEditCustN_S, *dxDBEditLicense, *dxDBEditAddress, *dxDBEditPostCode,
        *dxDBEditFax, *dxDBEditPhone1, *dxDBEditPhone2;
    widgets::DBLookupCombo *dxDBLookupEdit1, *dxDBLookupEdit2, *dxDBLookupEdit3;
    widgets::DBHyperLinkEdit *dxDBHLEdtMail, *dxDBHLEdtHomePage;
    widgets::DBMemo *dxMemoCust;
    QLabel *lblCreateTime;
    // Contact section.
    widgets::DBEdit *dxDBEditLKName, *dxDBEditLKDepDuty, *dxDBEditLKOPhone, *dxDBEditLKFax, *dxDBEditLKMPhone,
        *dxDBEditLKHPhone, *dxDBEditLKPostCode, *dxDBEditLKOAddress, *dxDBEditLKHAddress;
    widgets::DBHyperLinkEdit *dxDBHLEdtLKEmail, *dxDBHLEdtLKHomePage;
    widgets::DBGrid *dxDGLinkman;
    // Buttons.
    QPushButton *FbtnSaveCust, *FbtnAddLinkman, *FbtnSaveLinkman, *FbtnDelLkman, *FlatButton2, *FbtnLinkmanMemo,
        *FbtnAddTime, *FbtnLarge;

signals:
    // A customer was saved on this page: the main window titles the customer tab with the
    // short name and shows the business tab. (The attachment panel is synced already.)
    void customerSaved(const QString &shortName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCustomerSection(QWidget *group);
    void buildContactSection(QWidget *group);
    void wireRules();
    // lblCreateTime follows the customer the page stands on.
    void showCreateTime();
    // Contacts hang on the customer's number: false (the user told so) while there is none.
    bool mayAddContact();
    void appendContact();
    void enableSaveLinkman();
    void addressBookContact();
    void run(const std::function<void()> &handler);

    QPointer<store::TDMOrvane> m_dm;
    QPointer<QWidget> m_panel;
    QString m_shortNameOnEntry;
    bool m_newCustomerDated = false; // lblCreateTime holds the day "新建客户" was chosen
};

// The one customer page of the run.
extern TfrmNewCust *frmNewCust;

} // namespace customers
