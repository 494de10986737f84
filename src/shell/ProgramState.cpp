#include "shell/ProgramState.h"

#include "platform/system/Services.h"
#include "platform/system/Settings.h"
#include "store/General.h"

#include <QDir>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace shell {

QString withTrailingSeparator(const QString &folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    while (f.endsWith(u'/') && f.size() > 1)
        f.chop(1);
    return f.endsWith(u'/') ? f : f + u'/';
}

void initProgramState(const QString &programFolder)
{
    crm::AppPath = withTrailingSeparator(programFolder);
    crm::AccessoryRoot = crm::AppPath + u"Accessory/"_s;
    // One level only: a missing program folder is not made up here.
    if (!QFileInfo::exists(crm::AccessoryRoot))
        QDir(crm::AppPath).mkdir(u"Accessory"_s);

    crm::CurrentUserName.clear();
    const QString firstRunKey = u"FristRunTime"_s;
    const QString today = QLocale().toString(sys::clock().today(), QLocale::ShortFormat);
    if (sys::Settings::read(firstRunKey).isEmpty()) {
        try {
            sys::Settings::write(firstRunKey, today);
        } catch (const sys::SettingsError &) {
            // A store that cannot be written must not stop the start; today serves this run.
        }
    }
    crm::FirstRunDate = sys::Settings::read(firstRunKey);
    if (crm::FirstRunDate.isEmpty())
        crm::FirstRunDate = today;
    crm::CurrentUserName = sys::Settings::read(u"UserName"_s);
}

} // namespace shell
