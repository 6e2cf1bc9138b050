#include "Widgets/WidgetSizeFactory.h"

#include "Core/Log_p.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace TesselGUIToolkit {

namespace {

    const char* const kStateProperty = "_scc_WidgetSizeFactory_";
    const char* const kGeometryProperty = "_scc_WidgetGeometry_";
    const char* const kDefaultSizeProperty = "MainWindowDefaultSize";
    const char* const kSource = "Widgets\\WidgetSizeFactory.cpp";

    unsigned int StateOf(const QWidget* widget)
    {
        const QVariant state = widget->property(kStateProperty);
        return state.isValid() ? state.toUInt() : 0u;
    }

    void SetState(QWidget* widget, unsigned int state)
    {
        widget->setProperty(kStateProperty, QVariant(state));
    }

    // Style sheets may select on the state property; they only see a change after a re-polish.
    void Polish(QWidget* widget)
    {
        QStyle* style = widget->style();
        style->unpolish(widget);
        style->polish(widget);
    }

    QRect GlobalGeometry(const QWidget* widget)
    {
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    }

    // Only the normal geometry is worth keeping: between maximised and full screen the one saved
    // on leaving the normal state is still the one to go back to.
    void SaveNormalGeometry(QWidget* widget)
    {
        if (StateOf(widget) == CWidgetSizeFactory::StateNormal
            || !widget->property(kGeometryProperty).toRect().isValid())
            widget->setProperty(kGeometryProperty, GlobalGeometry(widget));
    }

    void MoveToGlobal(QWidget* widget, const QPoint& global)
    {
        QWidget* parent = widget->isWindow() ? nullptr : widget->parentWidget();
        widget->move(parent ? parent->mapFromGlobal(global) : global);
    }

    // Maximising pins the size; a free size has to be released from that pin first, or the
    // resize would be clamped back to it.
    void ReleasePinnedSize(QWidget* widget)
    {
        if (widget->minimumSize() != widget->maximumSize())
            return;
        widget->setMinimumSize(0, 0);
        widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    QByteArray RectText(const QRect& rect)
    {
        return QStringLiteral("(%1,%2 %3x%4)")
            .arg(rect.x())
            .arg(rect.y())
            .arg(rect.width())
            .arg(rect.height())
            .toUtf8();
    }

} // namespace

CWidgetSizeFactory::~CWidgetSizeFactory() = default;

void CWidgetSizeFactory::ShowMaximized(QWidget* widget) const
{
    if (!widget || IsMaximized(widget))
        return;

    static const char* const function = "TesselGUIToolkit::CWidgetSizeFactory::ShowMaximized";
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i)
        NIMB_LOG_TRACE(function, kSource, "screen %d available geometry %s", i,
                       RectText(screens.at(i)->availableGeometry()).constData());
    QScreen* screen = widget->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    NIMB_LOG_TRACE(function, kSource, "widget screen %d available geometry %s",
                   int(screens.indexOf(screen)), RectText(available).constData());
    NIMB_LOG_TRACE(function, kSource, "widget position (%d,%d) size %dx%d", widget->x(),
                   widget->y(), widget->width(), widget->height());
    QScreen* cursorScreen = QGuiApplication::screenAt(QCursor::pos());
    NIMB_LOG_TRACE(
        function, kSource, "cursor screen %d available geometry %s",
        int(screens.indexOf(cursorScreen)),
        RectText(cursorScreen ? cursorScreen->availableGeometry() : QRect()).constData());

    if (available.isValid()) {
        SaveNormalGeometry(widget);
        SetState(widget, StateMaximized);
        Polish(widget);
        MoveToGlobal(widget, available.topLeft());
        widget->setFixedSize(available.size());
    }
    widget->show();
}

void CWidgetSizeFactory::ShowNormal(QWidget* widget, const QSize& size) const
{
    ShowNormal(widget, size, false);
}

void CWidgetSizeFactory::ShowNormal(QWidget* widget, const QSize& size, bool fixed) const
{
    if (!widget)
        return;
    const QRect saved = widget->property(kGeometryProperty).toRect();
    SetState(widget, StateNormal);
    const bool sizeGiven = size.width() >= 0 && size.height() >= 0;
    if (!saved.isValid()) {
        if (sizeGiven)
            SetWidgetSize(widget, size, fixed);
        return;
    }

    MoveToGlobal(widget, saved.topLeft());
    const QVariant defaultSize = widget->property(kDefaultSizeProperty);
    if (sizeGiven)
        SetWidgetSize(widget, size, fixed);
    else if (defaultSize.isValid())
        SetWidgetSize(widget, defaultSize.toSize(), fixed);
    else
        SetWidgetSize(widget, saved.size(), fixed);
    widget->show();
    widget->setProperty(kGeometryProperty, QRect());
}

void CWidgetSizeFactory::ShowFullScreen(QWidget* widget) const
{
    ShowFullScreen(widget, true);
}

void CWidgetSizeFactory::ShowFullScreen(QWidget* widget, bool saveGeometry) const
{
    if (!widget || StateOf(widget) == StateFullScreen)
        return;

    if (saveGeometry) {
        SaveNormalGeometry(widget);
        QScreen* screen = widget->screen();
        if (screen)
            SetWidgetGeometry(widget, screen->geometry(), true);
    } else {
        QWidget* parent = widget->parentWidget();
        if (!parent) {
            widget->show();
            return;
        }
        QScreen* screen = parent->screen();
        if (screen)
            SetWidgetGeometry(widget, screen->geometry(), false);
    }
    SetState(widget, StateFullScreen);
    widget->show();
}

bool CWidgetSizeFactory::IsMinimized(QWidget* widget) const
{
    return widget && widget->isMinimized();
}

bool CWidgetSizeFactory::IsMaximized(QWidget* widget) const
{
    if (!widget)
        return false;
    static const char* const function = "TesselGUIToolkit::CWidgetSizeFactory::IsMaximized";
    const QVariant state = widget->property(kStateProperty);
    NIMB_LOG_TRACE(function, kSource, "widget %s state property set %d",
                   widget->objectName().toUtf8().constData(), int(state.isValid()));
    const bool maximized = state.isValid() && state.toUInt() == StateMaximized;
    NIMB_LOG_TRACE(function, kSource, "widget %s maximized %d",
                   widget->objectName().toUtf8().constData(), int(maximized));
    return maximized;
}

bool CWidgetSizeFactory::IsFullScreen(QWidget* widget) const
{
    return widget && StateOf(widget) == StateFullScreen;
}

void CWidgetSizeFactory::SetWidgetSize(QWidget* widget, const QSize& size, bool fixed) const
{
    if (!widget || size.width() < 1 || size.height() < 1)
        return;
    Polish(widget);
    if (!fixed)
        ReleasePinnedSize(widget);
    widget->resize(size);
    if (fixed)
        widget->setFixedSize(size);
    else
        widget->resize(size); // a window not yet shown may adjust the first resize on polish
}

void CWidgetSizeFactory::SetWidgetGeometry(QWidget* widget, const QRect& rect, bool fixed) const
{
    if (!widget || !rect.isValid())
        return;
    Polish(widget);
    if (fixed) {
        widget->move(rect.topLeft());
        widget->setFixedSize(rect.size());
    } else {
        ReleasePinnedSize(widget);
        widget->setGeometry(rect.adjusted(-1, -1, 1, 1));
    }
}

} // namespace TesselGUIToolkit
