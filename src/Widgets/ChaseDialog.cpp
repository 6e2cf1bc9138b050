#include "Widgets/ChaseDialog.h"

#include "Button/PushButton.h"
#include "Core/Toolkit.h"
#include "Label/Label.h"
#include "Label/MovieLabel.h"

#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QTimer>

namespace TesselGUIToolkit {

namespace {
    const char* const kCloseIcon = ":/Kestrel/Public/Icon/Images/Public/Icon/ic_delete_nor.svg";
    constexpr int kCloseBtnSize = 24;
    constexpr int kCloseBtnInset = 5;
} // namespace

CChaseDialog::CChaseDialog(QWidget* parent, const QString& moviePath, const QString& notice,
                           bool showClose)
    : CBaseDialogWithBottom(parent)
{
    setFixedSize(150, 120);
    setWindowOpacity(0.5);
    HideTitle();
    HideBottom();

    QWidget* content = GetSetUpUiWidget();
    content->setStyleSheet(QStringLiteral("background-color: #000000; border-radius: 2px;"));
    auto* grid = new QGridLayout(content);
    grid->setObjectName(QStringLiteral("ptr_chase_layout_"));

    m_pMovieLabel = new CMovieLabel(content);
    m_pMovieLabel->setObjectName(QStringLiteral("ptr_movie_label_"));
    m_pMovieLabel->SetMovie(moviePath, QSize(54, 54));
    // The progress text replaces the animation on the black box, so it must be light.
    m_pMovieLabel->setStyleSheet(
        QStringLiteral("color: #ffffff; font-size: 14px; font-family: Segoe UI;"));
    grid->addWidget(m_pMovieLabel, 0, 0, Qt::AlignHCenter | Qt::AlignVCenter);

    if (!notice.isEmpty()) {
        setFixedSize(250, 180);
        m_pNoticeLabel = new CLabel(notice, content);
        m_pNoticeLabel->setObjectName(QStringLiteral("ptr_notice_label_"));
        m_pNoticeLabel->setWordWrap(true);
        m_pNoticeLabel->setAlignment(Qt::AlignCenter);
        m_pNoticeLabel->setStyleSheet(
            QStringLiteral("color: #ffffff;font-size: 12px; font-family: Segoe UI;"));
        grid->addWidget(m_pNoticeLabel, 1, 0);
        grid->setVerticalSpacing(10);
    }

    m_pCloseBtn = new CPushButton(this);
    m_pCloseBtn->setObjectName(QStringLiteral("ptr_close_btn_"));
    m_pCloseBtn->setFixedSize(kCloseBtnSize, kCloseBtnSize);
    m_pCloseBtn->setIconSize(QSize(kCloseBtnSize, kCloseBtnSize));
    // The picture belongs to the client; without it the button still works, and an SVG that
    // is not there must not be opened (the SVG reader would complain).
    if (QFileInfo::exists(QString::fromLatin1(kCloseIcon)))
        m_pCloseBtn->setIcon(QIcon(GetHighDpiSvgPixmap(QString::fromLatin1(kCloseIcon),
                                                       QSize(kCloseBtnSize, kCloseBtnSize))));
    m_pCloseBtn->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    m_pCloseBtn->setToolTip(tr("Close"));
    m_pCloseBtn->setFocusPolicy(Qt::NoFocus);
    m_pCloseBtn->setVisible(showClose);
    connect(m_pCloseBtn, &QPushButton::clicked, this, &CChaseDialog::SignalCancel);
    PlaceCloseBtn();

    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(500);
    connect(m_pTimer, &QTimer::timeout, this, &CChaseDialog::OnTimeOut);
}

CChaseDialog::~CChaseDialog() = default;

void CChaseDialog::SetAlwaysAdjustPosition(bool adjust)
{
    m_bAlwaysAdjustPosition = adjust;
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    if (adjust)
        parent->installEventFilter(this);
    else
        parent->removeEventFilter(this);
}

void CChaseDialog::SetNotice(const QString& notice)
{
    if (m_pNoticeLabel)
        m_pNoticeLabel->SetText(notice);
}

void CChaseDialog::OnTimeOut()
{
    const int state = m_nStopState;
    m_nStopState = Running;
    if (state == StopByReject)
        reject();
    else if (state == StopByAccept)
        accept();
}

void CChaseDialog::OnStopChaseByAccept()
{
    m_nStopState = StopByAccept;
}

void CChaseDialog::OnStopChaseByReject()
{
    m_nStopState = StopByReject;
}

void CChaseDialog::OnImmediatelyStopChase()
{
    m_nStopState = Running;
    accept();
}

void CChaseDialog::OnSetProgressValue(int value)
{
    if (value < 0 || value > 100)
        return;
    m_pMovieLabel->ShowText(QString::number(value) + QLatin1Char('%'));
}

bool CChaseDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (m_bAlwaysAdjustPosition && watched == parentWidget()
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        CentreOverParent();
    return CBaseDialogWithBottom::eventFilter(watched, event);
}

void CChaseDialog::CentreOverParent()
{
    // QDialog centres itself over its parent on show only while WA_Moved is clear; the flag is
    // set for the call as a move by hand would and cleared again so that the next show centres
    // as well.
    setAttribute(Qt::WA_Moved, true);
    adjustPosition(parentWidget());
    setAttribute(Qt::WA_Moved, false);
}

void CChaseDialog::showEvent(QShowEvent* event)
{
    CBaseDialogWithBottom::showEvent(event);
    // The poll runs only while shown: a stop requested before exec() is honoured by the first
    // tick after the dialog appears instead of closing a dialog nobody saw.
    m_pTimer->start();
}

void CChaseDialog::hideEvent(QHideEvent* event)
{
    m_pTimer->stop();
    CBaseDialogWithBottom::hideEvent(event);
}

void CChaseDialog::resizeEvent(QResizeEvent* event)
{
    CBaseDialogWithBottom::resizeEvent(event);
    PlaceCloseBtn();
}

void CChaseDialog::PlaceCloseBtn()
{
    m_pCloseBtn->move(width() - kCloseBtnInset - kCloseBtnSize, kCloseBtnInset);
    m_pCloseBtn->raise();
}

} // namespace TesselGUIToolkit
