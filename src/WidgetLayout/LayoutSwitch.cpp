#include "WidgetLayout/LayoutSwitch.h"

#include <QLayout>
#include <QWidget>

namespace TesselGUIToolkit {

CLayoutSwitch::CLayoutSwitch(QObject* parent)
    : QObject(parent)
{
}

CLayoutSwitch::~CLayoutSwitch() = default;

void CLayoutSwitch::SetWidget(QWidget* widget)
{
    m_pWidget = widget;
}

bool CLayoutSwitch::AddParentWidget(QString name, QWidget* parent, QLayout* layout)
{
    if (!parent)
        return false;
    const auto it = m_mapParents.constFind(name);
    if (it != m_mapParents.constEnd() && it.value().first)
        return false;
    m_mapParents.insert(name, qMakePair(QPointer<QWidget>(parent), QPointer<QLayout>(layout)));
    return true;
}

bool CLayoutSwitch::HasParentWidget(const QString& name) const
{
    const auto it = m_mapParents.constFind(name);
    return it != m_mapParents.constEnd() && it.value().first;
}

void CLayoutSwitch::MoveToParentWidget(QString name, bool hideOld)
{
    if (!m_pWidget)
        return;

    const auto present = m_mapParents.constFind(m_strCurrent);
    if (present != m_mapParents.constEnd()) {
        if (QLayout* layout = present.value().second)
            layout->removeWidget(m_pWidget);
        if (hideOld && present.value().first)
            present.value().first->hide();
    }

    const auto target = m_mapParents.constFind(name);
    if (target == m_mapParents.constEnd() || !target.value().first)
        return;
    QWidget* parent = target.value().first;
    if (parent->isHidden())
        parent->show();
    // Re-parenting hides a widget; unless the client hid it on purpose it must come back with
    // its new parent.
    const bool explicitlyHidden =
        m_pWidget->isHidden() && m_pWidget->testAttribute(Qt::WA_WState_ExplicitShowHide);
    if (m_pWidget->parentWidget() != parent)
        m_pWidget->setParent(parent, m_pWidget->windowFlags());
    if (QLayout* layout = target.value().second)
        layout->addWidget(m_pWidget);
    if (!explicitlyHidden)
        m_pWidget->show();
    m_strCurrent = name;
}

} // namespace TesselGUIToolkit
