#include "platform/report/ReportPreviewDialog.h"

#include "platform/report/PreparedReport.h"
#include "platform/system/Services.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace report {

ReportPreviewDialog::ReportPreviewDialog(PreparedReport &report, QPrinter *printer, QWidget *parent)
    : QPrintPreviewDialog(printer, parent, Qt::Window), m_report(report)
{
    const QString title = report.title();
    setWindowTitle(title.isEmpty() ? u"打印预览"_s : u"打印预览 - "_s + title);
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) {
        p->setFullPage(true);
        m_report.print(p);
    });
    if (auto *bar = findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *pdf = bar->addAction(u"导出PDF"_s);
        pdf->setToolTip(u"把报表保存为 PDF 文件"_s);
        connect(pdf, &QAction::triggered, this, &ReportPreviewDialog::exportPdf);
    }
    setWindowState(windowState() | Qt::WindowMaximized);
}

void ReportPreviewDialog::exportPdf()
{
    QString path = sys::dialogs().saveFile(this, u"导出PDF"_s, QString(), u"PDF 文件 (*.pdf)"_s);
    if (path.isEmpty())
        return;
    if (!path.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        path += u".pdf"_s;
    QPdfWriter writer(path);
    writer.setPageLayout(QPageLayout(printer()->pageLayout().pageSize(), printer()->pageLayout().orientation(),
                                     QMarginsF(0, 0, 0, 0)));
    writer.setTitle(m_report.title());
    writer.setCreator(u"Orvane"_s);
    if (!m_report.print(&writer))
        sys::warn(u"无法写入文件：%1"_s.arg(path));
}

} // namespace report
