#include "platform/system/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace sys {

namespace {

QString &overridePath()
{
    static QString path;
    return path;
}

// The stored spelling of a value name, or empty when there is no such value.
QString storedName(const QSettings &store, const QString &name)
{
    const QStringList keys = store.childKeys();
    for (const QString &key : keys) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return key;
    }
    return {};
}

} // namespace

SettingsError::SettingsError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString Settings::filePath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/CRM/CRM.ini"_s;
}

void Settings::setFileOverride(const QString &path)
{
    overridePath() = path;
}

QString Settings::fileOverride()
{
    return overridePath();
}

QString Settings::read(const QString &name)
{
    const QSettings store(filePath(), QSettings::IniFormat);
    const QString key = storedName(store, name);
    return key.isEmpty() ? QString() : store.value(key).toString();
}

bool Settings::contains(const QString &name)
{
    const QSettings store(filePath(), QSettings::IniFormat);
    return !storedName(store, name).isEmpty();
}

void Settings::write(const QString &name, const QString &value)
{
    const QString path = filePath();
    QSettings store(path, QSettings::IniFormat);
    const QString key = storedName(store, name);
    store.setValue(key.isEmpty() ? name : key, value);
    store.sync();
    if (store.status() != QSettings::NoError) {
        throw SettingsError(u"无法保存设置“%1”：文件“%2”不能写入。请检查该文件夹是否存在并且可写。"_s
                                .arg(name, QDir::toNativeSeparators(path)));
    }
}

} // namespace sys
