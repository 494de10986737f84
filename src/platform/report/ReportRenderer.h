#pragma once
#include "platform/report/PreparedReport.h"
#include "platform/report/ReportData.h"
#include "platform/report/ReportTemplate.h"

#include <QHash>
#include <QString>

namespace db { class Dataset; }

namespace report {

// Fills one template from a dataset and the variables: Mustache renders the HTML, and the
// cells of the data band are rendered per row for the band layout.
class ReportRenderer {
public:
    using Data = ReportData::Data;

    // variables: display texts by lower-case name ("user", "printdate" included).
    ReportRenderer(const ReportTemplate &tmpl, db::Dataset *dataset, const QHash<QString, QString> &variables);

    // The whole template filled in.
    QString html() const;
    // The pages: banded when the template has a band, else the whole document.
    PreparedReport prepare() const;

private:
    Data rootContext(bool allRows) const;
    QString render(const QString &source, const Data &context) const;
    QVector<QString> bandTexts(const Data &root) const;

    const ReportTemplate &m_template;
    ReportData m_data;
    QHash<QString, QString> m_variables;
};

} // namespace report
