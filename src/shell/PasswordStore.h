#pragma once
#include <QString>

namespace shell {

// The program password as the settings store keeps it: enciphered with the fixed key "739"
// under the value "PassWord" (value names match without regard to case). A missing or empty
// value is the empty password.
namespace password {

QString storedText();
// Throws CipherError when the stored text is not a valid enciphered text.
bool matches(const QString &typed);
// Throws sys::SettingsError when the store cannot be written, CipherError for text GBK cannot hold.
void store(const QString &plain);

} // namespace password
} // namespace shell
