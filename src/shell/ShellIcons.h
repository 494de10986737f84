#pragma once
#include <QIcon>
#include <QPixmap>

namespace shell {

// The program's own icons, painted so they stay sharp at every size and need no image files.
namespace icons {

enum class Glyph {
    NewCustomer, CustomerList, OperateList, Print, Find, ManageFolder, Alarm, AddressBook,
    LegalAdvice, Envelope, GetFile, NewFile, HomeFolder, Up, Mail, Help, About, Chart, Close, Exit,
    Settings, Key, Backup, Restore, Web,
};

// A coloured tile with a white symbol: menu items and large toolbar buttons.
QIcon tile(Glyph glyph);
// The symbol alone in a dark ink: small toolbar buttons on light panels.
QIcon plain(Glyph glyph);
// The program icon (a tile with a person and rising bars).
QIcon program();
QPixmap programPixmap(int size);
// The maker's word mark ("Kelvor" with a small tile), height in pixels.
QPixmap wordMark(int height, bool onDark = false);

} // namespace icons
} // namespace shell
