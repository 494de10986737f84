// Orvane: customer management. main() only wires the subsystems into the start sequence.
#include "shell/StartSequence.h"
#include "shell/TMainOrvane.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

// The long-lived windows of the subsystems, provided by class name; the start sequence
// creates them once, in the fixed order, right after the main window and the data module.
// A factory sets the window's program-wide instance, embeds its panel where it has one
// (shell::MainOrvane->embed("dxTSCust", frmNewCust->pnCust)), connects its commands
// (shell::MainOrvane->setCommand("新建客户", ...)) and returns the window.
void provideWindows(shell::StartSequence &start)
{
    Q_UNUSED(start);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    shell::StartSequence start;
    provideWindows(start);
    return start.run();
}
