// Orvane: customer management. main() only wires the subsystems into the start sequence.
#include "attachments/TfrmAccessory.h"
#include "attachments/TfrmGetFiles.h"
#include "business/TfrmAlarm.h"
#include "customers/TfrmCustList.h"
#include "customers/TfrmNewCust.h"
#include "shell/PageControl.h"
#include "platform/report/ReportEngine.h"
#include "shell/PrintDispatch.h"
#include "shell/StartSequence.h"
#include "shell/TMainOrvane.h"
#include "shell/TfrmOperateDatabase.h"
#include "shell/TfrmPWDConfirm.h"
#include "shell/TfrmPassword.h"
#include "store/DMOrvane.h"
#include "store/General.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

// A command that opens a fresh modal window each time.
template <typename Window> void modalCommand(shell::TMainOrvane &main, const QString &key)
{
    main.setCommand(key, [&main] {
        Window w(&main);
        w.exec();
    });
}

// Commands whose windows need nothing but the data module and the main window.
void wireCommands(shell::TMainOrvane &main, store::TDMOrvane &dm)
{
    modalCommand<attachments::TfrmGetFiles>(main, u"获取附件"_s);
    modalCommand<attachments::TfrmAccessory>(main, u"整理附件夹"_s);
    modalCommand<business::TfrmAlarm>(main, u"闹钟"_s);
    modalCommand<shell::TfrmPassword>(main, u"密码设置"_s);
    main.setCommand(u"数据备份"_s, [&main] { shell::runBackupCommand(&main); });
    main.setCommand(u"数据恢复"_s, [&main] { shell::runRestoreCommand(&main); });

    report::ReportEngine &engine = report::ReportEngine::instance();
    engine.setUserNameSource([] { return crm::CurrentUserName; });
    engine.setDataset(dm.linkmanQuery);
    shell::installDataModuleSteps(shell::PrintDispatch::instance(), dm);
    main.setCommand(u"打印"_s, [&main] { shell::PrintDispatch::instance().print(main.activePageName()); });
}

// The long-lived windows of the subsystems, provided by class name; the start sequence
// creates them once, in the fixed order, right after the main window and the data module.
// A factory sets the window's program-wide instance, embeds its panel where it has one
// (shell::MainOrvane->embed("dxTSCust", frmNewCust->pnCust)), connects its commands
// (shell::MainOrvane->setCommand("新建客户", ...)) and returns the window.
void provideWindows(shell::StartSequence &start)
{
    start.registry().provide(u"TfrmNewCust"_s, [] {
        auto *page = new customers::TfrmNewCust(store::DMOrvane);
        customers::frmNewCust = page;
        shell::TMainOrvane *main = shell::MainOrvane;
        main->embed(u"dxTSCust"_s, page->pnCust);
        main->setCommand(u"新建客户"_s, [main, page] {
            main->showPage(u"dxTSCust"_s);
            main->setPageCaption(u"dxTSCust"_s, u"新建客户"_s);
            main->setPageCaption(u"dxTSOperate"_s, u"业务信息"_s);
            page->newCustomer();
            store::DMOrvane->syncAttachmentPanel(crm::AccessoryRoot);
        });
        QObject::connect(page, &customers::TfrmNewCust::customerSaved, main, [main](const QString &name) {
            main->setPageCaption(u"dxTSCust"_s, name);
            main->setTabVisible(u"dxTSOperate"_s, true);
        });
        return page; // no parent: the registry deletes it at the end
    });
    start.registry().provide(u"TfrmCustList"_s, [] {
        auto *list = new customers::TfrmCustList(*store::DMOrvane);
        customers::frmCustList = list;
        shell::TMainOrvane *main = shell::MainOrvane;
        main->embed(u"dxTSCustList"_s, list->pnCustList);
        main->setCommand(u"客户列表"_s, [main, list] {
            main->showPage(u"dxTSCustList"_s);
            list->buildList();
        });
        // A double click opens the customer beside the list: the customer and business tabs
        // are shown without hiding the others.
        QObject::connect(list, &customers::TfrmCustList::customerOpened, main,
                         [main](const QString &name, const QString &createTime) {
                             if (customers::frmNewCust)
                                 customers::frmNewCust->lblCreateTime->setText(createTime);
                             main->setTabVisible(u"dxTSCust"_s, true);
                             main->setPageCaption(u"dxTSCust"_s, name);
                             main->setTabVisible(u"dxTSOperate"_s, true);
                             main->dxPCMain->setActiveIndex(main->dxPCMain->indexOf(u"dxTSCust"_s));
                         });
        return list;
    });

    start.dataModuleHooks = [](store::TDMOrvane &dm) {
        dm.hooks.showAlarm = [] {
            business::TfrmAlarm w(shell::MainOrvane);
            w.exec();
        };
        if (shell::MainOrvane)
            wireCommands(*shell::MainOrvane, dm);
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    shell::StartSequence start;
    start.loginGate = [] { return shell::runLoginGate(); };
    provideWindows(start);
    return start.run();
}
