// The real implementations behind the services of Services.h.
#include "platform/system/Services.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QSoundEffect>

namespace sys {

namespace {

QWidget *ownerOr(QWidget *parent)
{
    if (parent)
        return parent;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

class QtMessages final : public Messages
{
public:
    int show(QWidget *parent, const QString &text, const QString &title, Icon icon, Buttons buttons,
             Button defaultButton) override
    {
        QMessageBox box(icon, title, text, buttons, ownerOr(parent));
        box.setDefaultButton(defaultButton);
        return box.exec();
    }
};

class QtDialogs final : public Dialogs
{
public:
    std::optional<QString> input(QWidget *parent, const QString &title, const QString &prompt,
                                 const QString &defaultText) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(ownerOr(parent), title, prompt, QLineEdit::Normal, defaultText, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }
    QString openFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(ownerOr(parent), title, dir, filter);
    }
    QStringList openFiles(QWidget *parent, const QString &title, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getOpenFileNames(ownerOr(parent), title, dir, filter);
    }
    QString saveFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(ownerOr(parent), title, dir, filter);
    }
    QString chooseFolder(QWidget *parent, const QString &title, const QString &dir) override
    {
        return QFileDialog::getExistingDirectory(ownerOr(parent), title, dir);
    }
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, ownerOr(parent));
        if (!ok)
            return std::nullopt;
        return font;
    }
    std::optional<QColor> chooseColor(QWidget *parent, const QColor &initial) override
    {
        const QColor color = QColorDialog::getColor(initial, ownerOr(parent));
        if (!color.isValid())
            return std::nullopt;
        return color;
    }
    bool print(QWidget *parent, QPrinter *printer) override
    {
        QPrintDialog dialog(printer, ownerOr(parent));
        return dialog.exec() == QDialog::Accepted;
    }
};

class QtShell final : public Shell
{
public:
    bool open(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

void beep()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

class QtSound final : public Sound
{
public:
    void play(const QString &wavFile) override
    {
        if (!QFileInfo(wavFile).isFile()) {
            beep();
            return;
        }
        if (!m_effect) {
            // Parented to the application so it goes before the audio system does.
            m_effect = new QSoundEffect(QCoreApplication::instance());
            QObject::connect(m_effect, &QSoundEffect::statusChanged, m_effect, [effect = m_effect.data()] {
                if (effect->status() == QSoundEffect::Error)
                    beep();
            });
        }
        m_effect->setSource(QUrl::fromLocalFile(wavFile));
        m_effect->play();
    }

private:
    QPointer<QSoundEffect> m_effect;
};

class SystemClock final : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace

ServiceSet realServices()
{
    static QtMessages messages;
    static QtDialogs dialogs;
    static QtShell shell;
    static QtSound sound;
    static SystemClock clock;
    return {&messages, &dialogs, &shell, &sound, &clock};
}

} // namespace sys
