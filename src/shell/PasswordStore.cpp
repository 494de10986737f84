#include "shell/PasswordStore.h"

#include "platform/system/Settings.h"
#include "store/Cipher.h"

using namespace Qt::StringLiterals;

namespace shell::password {

namespace {
const auto kKey = u"739"_s;
}

QString storedText() { return sys::Settings::read(u"PassWord"_s); }

bool matches(const QString &typed) { return DecryptText(storedText(), kKey) == typed; }

void store(const QString &plain) { sys::Settings::write(u"Password"_s, EncryptText(plain, kKey)); }

} // namespace shell::password
