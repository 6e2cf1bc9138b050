#include "WidgetLayout/FullScreenWidget.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVariant>

namespace TesselGUIToolkit {

namespace {

    const char* const kSavedGeometryProperty = "_scc_WidgetGeometry_";

    QList<CFullScreenWidget*>& Registry()
    {
        static QList<CFullScreenWidget*> widgets;
        return widgets;
    }

} // namespace

// ---------------------------------------------------------------------------------------------
// CFullScreenHint

CFullScreenHint::CFullScreenHint(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ptr_full_screen_hint_"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_pLabel = new QLabel(tr("Press ESC to exit Full Screen Keyboard."), this);
    m_pLabel->setObjectName(QStringLiteral("ptr_hint_label_"));
    QFont font(QStringLiteral("Segoe UI"));
    font.setPixelSize(14);
    m_pLabel->setFont(font);
    m_pLabel->setStyleSheet(QStringLiteral("color: #ffffff;"));
    // The hint's width is computed from the text; the label must not widen it beyond that.
    m_pLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    m_pButton = new QPushButton(QString(QChar(0x00D7)), this);
    m_pButton->setObjectName(QStringLiteral("pushButton"));
    m_pButton->setFixedSize(24, 24);
    m_pButton->setFlat(true);
    m_pButton->setFocusPolicy(Qt::NoFocus);
    m_pButton->setToolTip(tr("Close"));
    m_pButton->setStyleSheet(
        QStringLiteral("QPushButton{color: #ffffff; border: none; font-size: 18px;}"));
    connect(m_pButton, &QPushButton::clicked, this, &CFullScreenHint::Hide);

    // 20 + 9 + 20 = kHorizontalPadding around the text and the button.
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 0, 20, 0);
    layout->setSpacing(kHorizontalPadding - 40);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(m_pLabel, 1);
    layout->addWidget(m_pButton, 0);

    m_pTimer = new QTimer(this);
    m_pTimer->setObjectName(QStringLiteral("ptr_hide_timer_"));
    m_pTimer->setInterval(kHideDelay);
    m_pTimer->setSingleShot(true);
    connect(m_pTimer, &QTimer::timeout, this, &CFullScreenHint::Hide);
}

CFullScreenHint::~CFullScreenHint() = default;

void CFullScreenHint::Show()
{
    show();
    raise();
    m_bHide = false;
}

void CFullScreenHint::Hide()
{
    hide();
    m_bHide = true;
    m_pTimer->stop();
}

void CFullScreenHint::StartTimer()
{
    m_pTimer->start();
}

int CFullScreenHint::PreferredWidth() const
{
    const QFontMetrics metrics(m_pLabel->font());
    return m_pButton->width() + kHorizontalPadding + metrics.horizontalAdvance(m_pLabel->text());
}

void CFullScreenHint::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(32, 32, 32));
    painter.setPen(QColor(86, 86, 86));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
void CFullScreenHint::enterEvent(QEnterEvent* event)
#else
void CFullScreenHint::enterEvent(QEvent* event)
#endif
{
    QWidget::enterEvent(event);
    m_pTimer->stop();
}

void CFullScreenHint::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_bHide)
        m_pTimer->start();
}

// ---------------------------------------------------------------------------------------------
// CFullScreenWidget

CFullScreenWidget::CFullScreenWidget(QWidget* parent)
    : CWidget(parent)
{
    // Edge resizing is for frameless windows of a normal size; a full screen has no edges.
    setResizable(false);
    Registry().append(this);
}

CFullScreenWidget::~CFullScreenWidget()
{
    Registry().removeAll(this);
    if (m_pHiddenWindow)
        m_pHiddenWindow->show();
}

bool CFullScreenWidget::IsFullScreen() const
{
    return CWidgetSizeFactory::IsFullScreen(const_cast<CFullScreenWidget*>(this));
}

void CFullScreenWidget::SetFullScreen(bool fullScreen)
{
    if (fullScreen == IsFullScreen()) {
        Q_EMIT SignalScreenChanged();
        return;
    }

    QWidget* parent = parentWidget();
    if (fullScreen) {
        QWidget* holder = parent ? parent->window() : nullptr;
        QScreen* target = holder ? holder->screen() : screen();
        m_rectNormal = geometry();
        m_flagsNormal = windowFlags();
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        // A window not yet created reports the screen under its centre; put it there so that
        // the size factory covers the screen of the window it came from.
        if (target)
            setGeometry(target->geometry());
        ShowFullScreen(this);
        activateWindow();
        setFocus(Qt::OtherFocusReason);
        if (holder && holder != this) {
            m_pHiddenWindow = holder;
            holder->hide();
        }
        Q_EMIT SignalEnterSreenFull(width());
        Q_EMIT SignalScreenChanged();
        return;
    }

    if (m_pHint)
        m_pHint->Hide();
    setWindowFlags(parent ? Qt::WindowFlags(Qt::SubWindow | Qt::FramelessWindowHint)
                          : m_flagsNormal);
    const QPoint globalTopLeft =
        parent ? parent->mapToGlobal(m_rectNormal.topLeft()) : m_rectNormal.topLeft();
    setProperty(kSavedGeometryProperty, QRect(globalTopLeft, m_rectNormal.size()));
    if (m_rectNormal.isValid())
        ShowNormal(this, m_rectNormal.size());
    else
        ShowNormal(this, QSize(-1, -1));
    show();
    QWidget* holder = parent ? parent->window() : nullptr;
    if (!holder)
        holder = m_pHiddenWindow;
    m_pHiddenWindow.clear();
    if (holder && holder != this)
        holder->show();
    Q_EMIT RestoreLayout();
    Q_EMIT SignalExitFullScreen();
    Q_EMIT SignalScreenChanged();
}

void CFullScreenWidget::OnChangeScreen()
{
    if (IsFullScreen()) {
        SetFullScreen(false);
        return;
    }
    SetFullScreen(true);
    if (m_bEnableHint)
        ShowFullScreenHint();
}

void CFullScreenWidget::ShowFullScreenHint()
{
    if (!m_pHint)
        m_pHint = std::make_shared<CFullScreenHint>(nullptr);
    const Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    if (m_pHint->windowFlags() != flags)
        m_pHint->setWindowFlags(flags);
    m_pHint->setFixedHeight(CFullScreenHint::kHeight);
    const int hintWidth = m_pHint->PreferredWidth();
    m_pHint->resize(hintWidth, CFullScreenHint::kHeight);
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    m_pHint->move(topLeft.x() + (width() - hintWidth) / 2, topLeft.y() + kHintTopOffset);
    m_pHint->Show();
    m_pHint->StartTimer();
}

QList<CFullScreenWidget*> CFullScreenWidget::AllFullScreens()
{
    return Registry();
}

void CFullScreenWidget::MoveToHead()
{
    QList<CFullScreenWidget*>& widgets = Registry();
    const int index = widgets.indexOf(this);
    if (index > 0)
        widgets.move(index, 0);
}

void CFullScreenWidget::MoveToTail()
{
    QList<CFullScreenWidget*>& widgets = Registry();
    const int index = widgets.indexOf(this);
    if (index >= 0)
        widgets.move(index, widgets.size() - 1);
}

bool CFullScreenWidget::IsPlainEscape(const QEvent* event) const
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Escape
        && (key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) == Qt::NoModifier;
}

bool CFullScreenWidget::event(QEvent* event)
{
    const bool keyEvent =
        event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!m_bPlayControl && keyEvent && IsFullScreen() && IsPlainEscape(event)) {
        event->accept();
        Q_EMIT SignalExitFullScreen();
        SetFullScreen(false);
        return true;
    }
    return CWidget::event(event);
}

void CFullScreenWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_bPlayControl && IsPlainEscape(event)) {
        event->accept();
        Q_EMIT SignalExitFullScreen();
        SetFullScreen(false);
        return;
    }
    CWidget::keyPressEvent(event);
}

} // namespace TesselGUIToolkit
