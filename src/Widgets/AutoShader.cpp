#include "Widgets/AutoShader.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimeLine>
#include <QWidget>

namespace TesselGUIToolkit {

CAutoShader::CAutoShader(QObject* parent)
    : QObject(parent)
    , m_pTimeLine(new QTimeLine(DefaultDuration, this))
{
    // QEasingCurve::InCurve is what QTimeLine::EaseInCurve stands for; the curve-shape
    // setter itself is deprecated.
    m_pTimeLine->setEasingCurve(QEasingCurve(QEasingCurve::InCurve));
    connect(m_pTimeLine, &QTimeLine::valueChanged, this, &CAutoShader::OnValueChanged);
    connect(m_pTimeLine, &QTimeLine::finished, this, &CAutoShader::SignalShadeActionFinished);
}

CAutoShader::~CAutoShader()
{
    if (m_pShadeWidget)
        m_pShadeWidget->removeEventFilter(this);
}

void CAutoShader::SetAutoShadeWidget(QWidget* widget)
{
    if (!widget)
        return;
    if (m_pShadeWidget) {
        m_pShadeWidget->removeEventFilter(this);
        disconnect(m_connHide);
    }
    m_pShadeWidget = widget;
    m_connHide = connect(m_pTimeLine, &QTimeLine::finished, widget, &QWidget::hide);
    widget->installEventFilter(this);
}

void CAutoShader::SetShadeDuration(int ms)
{
    m_nDuration = ms < 1 ? DefaultDuration : ms;
    m_pTimeLine->setDuration(m_nDuration);
}

void CAutoShader::SetShadeWidgetPos(const QPoint& pos, QWidget* reference)
{
    m_ptPos = pos;
    m_pReferenceWidget = reference;
}

void CAutoShader::StartAutoShade()
{
    if (m_pTimeLine->state() == QTimeLine::Running)
        return;
    if (m_pShadeWidget)
        m_pShadeWidget->setWindowOpacity(1.0);
    m_pTimeLine->start();
}

void CAutoShader::StopAutoShade()
{
    if (m_pTimeLine->state() != QTimeLine::Running)
        return;
    if (m_pShadeWidget)
        m_pShadeWidget->setWindowOpacity(1.0);
    m_pTimeLine->stop();
}

bool CAutoShader::IsShading() const
{
    return m_pTimeLine->state() == QTimeLine::Running;
}

void CAutoShader::InitShadeWidgetShow()
{
    QWidget* widget = m_pShadeWidget;
    if (!widget)
        return;
    QWidget* reference = m_pReferenceWidget;
    if (reference == widget)
        reference = nullptr;

    QRect area;
    if (reference) {
        area = reference->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }

    QPoint pos = m_ptPos;
    if (pos == QPoint(0, 0))
        pos = QPoint(area.left() + (area.width() - widget->width()) / 2,
                     area.top() + (area.height() - widget->height()) / 2);
    if (reference)
        pos = reference->mapToGlobal(pos);
    if (QWidget* parent = widget->parentWidget())
        pos = parent->mapFromGlobal(pos);
    widget->move(pos);
}

void CAutoShader::OnValueChanged(double value)
{
    if (m_pShadeWidget)
        m_pShadeWidget->setWindowOpacity(1.0 - value);
}

bool CAutoShader::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pShadeWidget && event) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::Close:
            StopAutoShade();
            break;
        case QEvent::Leave:
            StartAutoShade();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace TesselGUIToolkit
