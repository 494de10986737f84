#include "TempProgramFolder.h"

#include "platform/db/Connection.h"
#include "platform/system/Settings.h"
#include "store/Schema.h"

#include <QDir>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace testing {

TempProgramFolder::TempProgramFolder(bool withDatabase)
{
    QLocale::setDefault(QLocale(u"zh_CN"_s));
    QDir(m_dir.path()).mkpath(u"data"_s);
    m_previousSettings = sys::Settings::fileOverride();
    sys::Settings::setFileOverride(path(u"settings/CRM.ini"_s));
    if (withDatabase)
        store::openDatabase(dataPath());
}

TempProgramFolder::~TempProgramFolder()
{
    db::Connection::closeAlias();
    sys::Settings::setFileOverride(m_previousSettings);
}

QString TempProgramFolder::appPath() const { return m_dir.path() + u'/'; }
QString TempProgramFolder::dataPath() const { return appPath() + u"data"_s; }
QString TempProgramFolder::path(const QString &relative) const { return appPath() + relative; }
db::Connection &TempProgramFolder::connection() const { return db::Connection::get(); }
void TempProgramFolder::exec(const QString &sql) const { connection().exec(sql); }

QVariant TempProgramFolder::scalar(const QString &sql) const
{
    db::Statement st(connection(), sql);
    return st.step() ? st.column(0, db::FieldType::Unknown) : QVariant();
}

} // namespace testing
