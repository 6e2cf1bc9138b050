#include "WidgetLayout/GeometryAnimator.h"

#include <QEasingCurve>
#include <QPropertyAnimation>
#include <QWidget>

namespace TesselGUIToolkit {

CBaseItemAnimDirector::CBaseItemAnimDirector()
    : m_pAliveToken(std::make_shared<CBaseItemAnimDirector*>(this))
{
}

CBaseItemAnimDirector::CBaseItemAnimDirector(bool animated)
    : m_bAnimated(animated)
    , m_pAliveToken(std::make_shared<CBaseItemAnimDirector*>(this))
{
}

// A copy is a director of its own: animators that obey the original must not follow it.
CBaseItemAnimDirector::CBaseItemAnimDirector(const CBaseItemAnimDirector& other)
    : m_bAnimated(other.m_bAnimated)
    , m_pAliveToken(std::make_shared<CBaseItemAnimDirector*>(this))
{
}

CBaseItemAnimDirector& CBaseItemAnimDirector::operator=(const CBaseItemAnimDirector& other)
{
    m_bAnimated = other.m_bAnimated;
    return *this;
}

CBaseItemAnimDirector::~CBaseItemAnimDirector() = default;

CGeometryAnimator::CGeometryAnimator(QWidget* target, CBaseItemAnimDirector* director,
                                     QObject* parent)
    : QObject(parent)
{
    SetDirector(director);
    SetTargetWidget(target);
}

CGeometryAnimator::~CGeometryAnimator() = default;

void CGeometryAnimator::SetEnabled(bool enabled)
{
    if (m_bEnabled == enabled)
        return;
    m_bEnabled = enabled;
    if (!enabled)
        Finish();
}

void CGeometryAnimator::SetDirector(CBaseItemAnimDirector* director)
{
    if (director)
        m_pDirector = director->m_pAliveToken;
    else
        m_pDirector.reset();
}

CBaseItemAnimDirector* CGeometryAnimator::GetDirector() const
{
    const std::shared_ptr<CBaseItemAnimDirector*> token = m_pDirector.lock();
    return token ? *token : nullptr;
}

void CGeometryAnimator::SetTargetWidget(QWidget* target)
{
    if (m_pTarget == target && (m_pAnimation || !target))
        return;
    Finish();
    delete m_pAnimation;
    m_pTarget = target;
    if (!target)
        return;
    m_pAnimation = new QPropertyAnimation(target, "geometry", this);
    m_pAnimation->setEasingCurve(QEasingCurve::InOutCubic);
    m_pAnimation->setDuration(300);
}

bool CGeometryAnimator::IsAnimating() const
{
    return m_pAnimation && m_pAnimation->state() != QAbstractAnimation::Stopped;
}

void CGeometryAnimator::SetGeometry(const QRect& rect)
{
    if (!m_pTarget)
        return;

    const CBaseItemAnimDirector* director = GetDirector();
    if (!(m_bEnabled && m_pAnimation && director && director->IsAnimated())) {
        if (m_pAnimation)
            m_pAnimation->stop();
        m_pTarget->setGeometry(rect);
        return;
    }

    const QRect present = m_pTarget->geometry();
    if (m_pAnimation->state() == QAbstractAnimation::Running) {
        m_pAnimation->pause();
        m_pAnimation->setStartValue(present);
        m_pAnimation->setEndValue(rect);
        if (rect == present) {
            // Already there: a paused animation would otherwise be resumed by a later move
            // half-way through instead of from its start.
            m_pAnimation->stop();
            return;
        }
        // From the new start the old progress would make the widget jump; the retargeted move
        // runs its full course from where the widget stands.
        m_pAnimation->setCurrentTime(0);
        m_pAnimation->resume();
        return;
    }

    m_pAnimation->stop();
    m_pAnimation->setStartValue(present);
    m_pAnimation->setEndValue(rect);
    if (rect != present)
        m_pAnimation->start();
}

void CGeometryAnimator::Finish()
{
    if (!IsAnimating())
        return;
    const QRect end = m_pAnimation->endValue().toRect();
    m_pAnimation->stop();
    if (m_pTarget)
        m_pTarget->setGeometry(end);
}

} // namespace TesselGUIToolkit
