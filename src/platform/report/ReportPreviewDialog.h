#pragma once
#include <QPrintPreviewDialog>

namespace report {

class PreparedReport;

// The print preview of a prepared report: zoom, page set-up and print as Qt offers them,
// plus "导出PDF" to save the report as a PDF file.
class ReportPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    ReportPreviewDialog(PreparedReport &report, QPrinter *printer, QWidget *parent = nullptr);

private:
    void exportPdf();

    PreparedReport &m_report;
};

} // namespace report
