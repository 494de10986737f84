#pragma once
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace widgets {

// Enter (Return or keypad Enter) in one box moves the focus to the next box of a declared chain:
//   EnterChain::install({edtNum, edtName, edtAddress, memo});
// Boxes that are hidden or disabled are skipped. With Last::Press the chain's last member must be
// a button, and Enter in the box before it presses that button instead of focusing it:
//   EnterChain::install({edtHomePage, btnDetail}, EnterChain::Last::Press);
// Installing a chain that starts from a box already in another chain replaces that box's link.
class EnterChain : public QObject
{
    Q_OBJECT
public:
    enum class Last { Focus, Press };

    static void install(const QList<QWidget *> &chain, Last last = Last::Focus);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EnterChain(QWidget *box, QList<QPointer<QWidget>> rest, Last last);

    QList<QPointer<QWidget>> m_rest;
    Last m_last;
};

} // namespace widgets
