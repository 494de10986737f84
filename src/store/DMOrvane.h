#pragma once
#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QObject>
#include <functional>

namespace store {

// Orvane's central data module: every dataset more than one window uses, the start-up
// checks, and the scroll hooks that keep the attachment panel on the current record.
// Higher layers plug in through the std::function members (the module never includes a window).
class TDMOrvane : public QObject {
    Q_OBJECT
public:
    explicit TDMOrvane(QObject *parent = nullptr);
    ~TDMOrvane() override;

    // The creation steps: company-type setup, reminder check, lookup tables.
    void create();

    // Points the main window's attachment panel at a folder and titles the window with it.
    void syncAttachmentPanel(const QString &folder);
    // Sets the main window's caption from the panel's current folder.
    void updateAttachmentTitle();
    static QString attachmentTitle(const QString &folderPath);

    // Tables.
    db::Table *tlbCust, *tlbLinkman, *tlbOperates, *tlbOperateItems, *tlbType, *tlbOrigin, *tlbAddressBook,
        *tlbAlarm, *tlbCustList, *tlbTypeColor, *tlbCustLevel, *tlbExchangeRate, *tlbCustDist, *tlbCustType,
        *tlbCustVocation, *tlbEvolveType, *tlbCustomSet;
    // Queries.
    db::Query *QryCustList, *QryOperateList, *QryFind, *QryFind2, *QryFind3, *QryFind4, *QryDeleteSelected,
        *QryReport1, *QryReport2, *QryReport3, *QryReport4, *QryStatistic, *QryAllValuePrint, *QryMail,
        *QryTypeColor, *QryType, *Query1, *Query2, *linkmanQuery, *qrysummoney, *qryFDRepeat;

    // What the module reaches in the windows above it.
    struct Hooks {
        // Main window's attachment panel: point it at a folder (false when the folder cannot be
        // shown, e.g. it no longer exists), and read the folder it shows.
        std::function<bool(const QString &folder)> pointAttachmentPanel;
        std::function<QString()> attachmentPanelPath;
        std::function<void(const QString &caption)> setMainCaption;
        // Business page buttons "获取附件" and "业务完成".
        std::function<void(bool)> setGetFilesEnabled;
        std::function<void(bool)> setFinalCaseEnabled;
        // Text of the customer page's memo editor, copied into every customer post.
        std::function<std::optional<QString>()> custMemoText;
        // Company-type wizard (modeless) and reminder window (modal).
        std::function<void()> showTypeSelect;
        std::function<void()> showAlarm;
    } hooks;

    QList<db::Dataset *> allDatasets() const;

private:
    template <typename T> T *make(const QString &name);
    bool tlbCustBeforePost(db::Dataset &ds);
    bool tlbOperatesBeforePost(db::Dataset &ds);
    void tlbOperatesAfterOpen(db::Dataset &ds);
    void tlbOperatesAfterScroll(db::Dataset &ds);
    void listAfterScroll(db::Dataset &ds, const QString &ownMarker);
    void checkReminders();
    void enableFinalCase(db::Dataset &ds);

    QList<db::Dataset *> m_datasets;
};

// The one program-wide instance (created second at start).
extern TDMOrvane *DMOrvane;

} // namespace store
