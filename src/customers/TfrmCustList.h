#pragma once
#include <QWidget>

class QLabel;

namespace db { class Dataset; }
namespace store { class TDMOrvane; }

namespace customers {

class GroupedGrid;

// "客户列表": every customer with the number and total contract amount of its business records,
// from the work table TempCustList (tlbCustList). Never shown as a window of its own: the main
// window puts pnCustList into its page "dxTSCustList" and runs buildList() for the command
// "客户列表". A click on a row points the attachment panel at the customer's folder; a double
// click opens the customer and asks the main window, through customerOpened, to show it.
class TfrmCustList : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmCustList(store::TDMOrvane &dm, QWidget *parent = nullptr);

    // Builds the list again, shows it and puts the focus in the grid. A failure (for example
    // the work table held by another program) is shown in the error box; returns false then.
    bool buildList();

    // What the print dispatch prints for this page.
    db::Dataset *reportDataset() const;
    static QString reportTemplate(); // "data\Report\CustList.frf"

    QWidget *pnCustList;
    QLabel *lblTitle;
    GroupedGrid *frm;

    void frmClick();
    void frmDblClick();

signals:
    // A customer was opened from the list: the main window puts createTimeText into the customer
    // page's creation-date label, makes the customer tab (captioned shortName) visible and
    // active and makes the business tab visible.
    void customerOpened(const QString &shortName, const QString &createTimeText);

private:
    store::TDMOrvane &m_dm;
};

// The program-wide instance (set by whoever creates the window at start).
extern TfrmCustList *frmCustList;

} // namespace customers
