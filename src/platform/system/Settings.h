#pragma once
#include <QString>
#include <stdexcept>

namespace sys {

// The store could not be written (read-only folder, full disk). what() is UTF-8.
class SettingsError : public std::runtime_error
{
public:
    explicit SettingsError(const QString &message);
};

// The program-wide settings store shared by both programs: string values under one key,
// created when missing. Value names match without regard to case, as registry names do.
// Nothing is cached, so a value written by one program is seen by the other at once.
class Settings
{
public:
    static QString read(const QString &name);
    static bool contains(const QString &name);
    static void write(const QString &name, const QString &value); // throws SettingsError

    // The store's file; tests point it into a temporary folder (empty = the default).
    static QString filePath();
    static void setFileOverride(const QString &path);
    static QString fileOverride();
};

} // namespace sys
