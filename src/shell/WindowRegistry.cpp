#include "shell/WindowRegistry.h"

#include <QWidget>

using namespace Qt::StringLiterals;

namespace shell {

WindowRegistry::WindowRegistry() = default;

WindowRegistry::~WindowRegistry() { destroyAll(); }

const QStringList &WindowRegistry::creationOrder()
{
    static const QStringList order{
        u"TMainOrvane"_s,       u"TDMOrvane"_s,         u"TfrmNewCust"_s,       u"TfrmNewOperate"_s,
        u"TfrmCustList"_s,      u"TfrmOperateList"_s,   u"TfrmCustTotalValue"_s, u"TfrmAllCRM"_s,
        u"TfrmAllFinanical"_s,  u"TfrmFinanicalC"_s,    u"TfrmCurCustDetail"_s, u"TfrmCurCustValue"_s,
        u"TfrmOperateNewStyle"_s, u"TfrmSetOperateAttr"_s, u"TfrmTypeSelect"_s, u"TfrmTypeConfirm"_s,
        u"TFrmCustLevel"_s,     u"TFrmExchangeRate"_s,  u"TFrmMemo1"_s,         u"Tfrmcustdist"_s,
        u"TfrmMain"_s,          u"TdmMailer"_s,         u"TfrmFirmInfo"_s,      u"TAbortForm"_s,
        u"TfrmMailerSet"_s,     u"TfrmMailerPreview"_s, u"TfrmDataDisplay"_s,   u"TFrmPosSet1"_s,
        u"TFrmPosSet"_s,        u"Tfrmcustdetail"_s,    u"TfrmLinkmanDetail"_s, u"TfrmOperateDetail"_s,
        u"TfrmEvolveTypeSet"_s, u"TfrmCustTypeSet"_s,   u"TfrmVocationSet"_s,   u"TfrmCustomSet"_s,
        u"TfrmFindRepeat"_s,
    };
    return order;
}

bool WindowRegistry::provide(const QString &className, Factory factory)
{
    if (!creationOrder().contains(className) || !factory)
        return false;
    m_factories.insert(className, std::move(factory));
    return true;
}

void WindowRegistry::createAll()
{
    for (const QString &name : creationOrder()) {
        if (!m_factories.contains(name) || m_instances.contains(name))
            continue;
        QObject *object = m_factories.value(name)();
        m_instances.insert(name, object);
        m_created << name;
        if (object && !object->parent())
            m_owned << object;
    }
}

QObject *WindowRegistry::instance(const QString &className) const { return m_instances.value(className); }

void WindowRegistry::destroyAll()
{
    const auto deleteWhere = [this](bool widgets) {
        for (qsizetype i = m_owned.size() - 1; i >= 0; --i) {
            QObject *object = m_owned.at(i);
            if (object && object->isWidgetType() == widgets)
                delete object;
        }
    };
    deleteWhere(true);
    deleteWhere(false);
    m_owned.clear();
    m_instances.clear();
    m_created.clear();
}

} // namespace shell
