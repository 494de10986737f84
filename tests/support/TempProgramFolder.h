#pragma once
#include <QString>
#include <QTemporaryDir>

namespace db { class Connection; }

namespace testing {

// A fresh program folder in a temporary directory: "data/" with a new database behind the
// alias CRM, "Accessory/", and the settings store pointed at a file of its own.
class TempProgramFolder {
public:
    explicit TempProgramFolder(bool withDatabase = true);
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder &) = delete;
    TempProgramFolder &operator=(const TempProgramFolder &) = delete;

    QString appPath() const;  // with a trailing separator
    QString dataPath() const; // appPath() + "data"
    QString path(const QString &relative) const;
    db::Connection &connection() const;
    void exec(const QString &sql) const;
    // Value of the first column of the first row of a raw SQLite query.
    QVariant scalar(const QString &sql) const;

private:
    QTemporaryDir m_dir;
    QString m_previousSettings;
};

} // namespace testing
