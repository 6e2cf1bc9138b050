#include "Widgets/BaseDialog.h"

#include "Button/PushButton.h"
#include "Core/ArbaricSetting.h"
#include "Core/WidgetMaximizeManager.h"
#include "Label/Label.h"
#include "Widgets/FancyTitle.h"
#include "Widgets/Widget.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>
#include <QtGlobal>

namespace TesselGUIToolkit {

namespace {

    bool ReadsRightToLeft()
    {
        return ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft;
    }

    CPushButton* MakeTitleButton(const QString& name, QWidget* parent)
    {
        auto* button = new CPushButton(parent);
        button->setObjectName(name);
        button->setFixedSize(32, 32);
        // A title button holding the keyboard focus would take Return away from the dialog.
        button->setFocusPolicy(Qt::ClickFocus);
        return button;
    }

} // namespace

class CBaseDialogPrivate
{
public:
    QGridLayout* m_pGridBaseDialog = nullptr;
    CWidget* m_pNoBottomWidget = nullptr;
    CFancyTitle* m_pTitleWidget = nullptr;
    QHBoxLayout* m_pTitleBarLayout = nullptr;
    QHBoxLayout* m_pTitleLayout = nullptr;
    CLabel* m_pTitleLabel = nullptr;
    CPushButton* m_pDialogMinBtn = nullptr;
    CPushButton* m_pDialogSizeBtn = nullptr;
    CPushButton* m_pDialogCloseBtn = nullptr;
    QFrame* m_pContentFrame = nullptr;
    QPointer<QWidget> m_pContentWnd;
    QString m_strTitle;
};

CBaseDialog::CBaseDialog(QWidget* parent)
    : CDialog(parent, Qt::Window | Qt::FramelessWindowHint)
    , d(new CBaseDialogPrivate)
{
    setObjectName(QStringLiteral("CBaseDialogClass"));
    resize(428, 324);
    setMinimumHeight(150);

    d->m_pGridBaseDialog = new QGridLayout(this);
    d->m_pGridBaseDialog->setObjectName(QStringLiteral("m_pGridBaseDialog"));
    d->m_pGridBaseDialog->setSpacing(0);
    d->m_pGridBaseDialog->setContentsMargins(0, 0, 0, 0);

    d->m_pNoBottomWidget = new CWidget(this);
    d->m_pNoBottomWidget->setObjectName(QStringLiteral("m_pNoBottomWidget"));
    d->m_pNoBottomWidget->setResizable(true);
    d->m_pNoBottomWidget->setMargin(4);
    auto* bodyGrid = new QGridLayout(d->m_pNoBottomWidget);
    bodyGrid->setVerticalSpacing(0);
    bodyGrid->setContentsMargins(0, 0, 0, 0);

    d->m_pTitleWidget = new CFancyTitle(d->m_pNoBottomWidget);
    d->m_pTitleWidget->setObjectName(QStringLiteral("m_pTitleWidget"));
    d->m_pTitleWidget->setMinimumHeight(34);
    if (ReadsRightToLeft())
        d->m_pTitleWidget->setLayoutDirection(Qt::RightToLeft);

    d->m_pContentFrame = new QFrame(d->m_pNoBottomWidget);
    d->m_pContentFrame->setObjectName(QStringLiteral("m_pContentFrame"));
    d->m_pContentFrame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    bodyGrid->addWidget(d->m_pTitleWidget, 0, 0);
    bodyGrid->addWidget(d->m_pContentFrame, 1, 0);
    bodyGrid->setRowStretch(1, 1);
    d->m_pGridBaseDialog->addWidget(d->m_pNoBottomWidget, 0, 0);

    d->m_pTitleBarLayout = new QHBoxLayout(d->m_pTitleWidget);
    d->m_pTitleBarLayout->setObjectName(QStringLiteral("m_pTitleBarLayout"));
    d->m_pTitleBarLayout->setSpacing(1);
    SetTitleWidgetLayoutContentsMargins(0, 2, 2, 1);

    d->m_pTitleLayout = new QHBoxLayout;
    d->m_pTitleLayout->setObjectName(QStringLiteral("m_pTitleLayout"));
    d->m_pTitleLayout->setSpacing(1);
    d->m_pTitleLayout->setContentsMargins(0, 0, 0, 0);
    d->m_pTitleLabel = new CLabel(d->m_pTitleWidget);
    d->m_pTitleLabel->setObjectName(QStringLiteral("m_pTitleLabel"));
    // A long title must not widen the dialog; the tool tip carries the whole text.
    d->m_pTitleLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    d->m_pTitleLayout->addWidget(d->m_pTitleLabel, 1);
    d->m_pTitleBarLayout->addLayout(d->m_pTitleLayout, 1);

    d->m_pDialogMinBtn = MakeTitleButton(QStringLiteral("m_pDialogMinBtn"), d->m_pTitleWidget);
    d->m_pDialogMinBtn->setToolTip(tr("Minimize"));
    d->m_pDialogMinBtn->hide();
    d->m_pDialogSizeBtn = MakeTitleButton(QStringLiteral("m_pDialogSizeBtn"), d->m_pTitleWidget);
    d->m_pDialogSizeBtn->hide();
    d->m_pDialogCloseBtn = MakeTitleButton(QStringLiteral("m_pDialogCloseBtn"), d->m_pTitleWidget);
    d->m_pDialogCloseBtn->setIconSize(QSize(24, 24));
    d->m_pDialogCloseBtn->setToolTip(tr("Close"));
    d->m_pTitleBarLayout->addWidget(d->m_pDialogMinBtn);
    d->m_pTitleBarLayout->addWidget(d->m_pDialogSizeBtn);
    d->m_pTitleBarLayout->addWidget(d->m_pDialogCloseBtn);

    connect(d->m_pDialogCloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(d->m_pDialogMinBtn, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(d->m_pDialogSizeBtn, &QPushButton::clicked, d->m_pTitleWidget,
            &CFancyTitle::OnImitateDoubleClick);
    connect(d->m_pTitleWidget, &CFancyTitle::SignalWndSizeStatusChanged, this,
            &CBaseDialog::OnUpdateSizeBtnState);
}

CBaseDialog::~CBaseDialog() = default;

void CBaseDialog::SetTitle(const QString& title)
{
    d->m_strTitle = title;
    d->m_pTitleLabel->SetText(title);
    d->m_pTitleLabel->setToolTip(title);
    d->m_pTitleWidget->setToolTip(title);
    setWindowTitle(title);
    d->m_pTitleWidget->update();
}

QString CBaseDialog::GetTitle() const
{
    return d->m_strTitle;
}

void CBaseDialog::HideTitle()
{
    d->m_pTitleWidget->hide();
}

void CBaseDialog::SetContentWnd(QWidget* widget)
{
    if (!widget) {
        qWarning("CBaseDialog::SetContentWnd: Attempt to insert null QWidget");
        return;
    }
    if (widget == d->m_pContentWnd)
        return;
    // Putting the dialog (or a part holding the content area) inside its own content area
    // would make the widget tree a cycle.
    if (widget == this || widget->isAncestorOf(d->m_pContentFrame))
        return;

    if (QLayout* old = d->m_pContentFrame->layout()) {
        if (d->m_pContentWnd && d->m_pContentWnd->parentWidget() == d->m_pContentFrame)
            d->m_pContentWnd->hide();
        delete old;
    }
    auto* grid = new QGridLayout(d->m_pContentFrame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(widget, 0, 0);
    widget->show();
    d->m_pContentWnd = widget;
}

QWidget* CBaseDialog::GetSetUpUiWidget() const
{
    return d->m_pContentFrame;
}

void CBaseDialog::AddTitleWidget(QWidget* widget)
{
    if (widget)
        d->m_pTitleLayout->addWidget(widget);
}

void CBaseDialog::SetTitleWidgetLayoutContentsMargins(int left, int top, int right, int bottom)
{
    if (ReadsRightToLeft())
        qSwap(left, right);
    d->m_pTitleBarLayout->setContentsMargins(left, top, right, bottom);
}

void CBaseDialog::SetTitleDoubleClickEnable(bool enable)
{
    d->m_pTitleWidget->SetOpenDoubleClickEnable(enable);
}

CFancyTitle* CBaseDialog::GetTitleWidget() const
{
    return d->m_pTitleWidget;
}

CPushButton* CBaseDialog::GetCloseBtn() const
{
    return d->m_pDialogCloseBtn;
}

CPushButton* CBaseDialog::GetSizeBtn() const
{
    return d->m_pDialogSizeBtn;
}

CPushButton* CBaseDialog::GetMinBtn() const
{
    return d->m_pDialogMinBtn;
}

void CBaseDialog::SetCloseBtnVisible(bool visible)
{
    d->m_pDialogCloseBtn->setVisible(visible);
}

void CBaseDialog::SetMinBtnVisible(bool visible)
{
    d->m_pDialogMinBtn->setVisible(visible);
}

void CBaseDialog::SetSizeBtnVisible(bool visible)
{
    d->m_pDialogSizeBtn->setVisible(visible);
}

void CBaseDialog::Maximize()
{
    if (CWidgetMaximizeManager::Instance().GetWidgetMaximizeMode()
        == CWidgetMaximizeManager::FullScreenMaximize)
        ShowFullScreen(this);
    else
        ShowMaximized(this);
    OnUpdateSizeBtnState();
}

bool CBaseDialog::IsMaximize() const
{
    // The size state lives in properties of the window; reading them changes nothing.
    auto* self = const_cast<CBaseDialog*>(this);
    return IsFullScreen(self) || IsMaximized(self);
}

void CBaseDialog::OnUpdateSizeBtnState()
{
    CPushButton* button = d->m_pDialogSizeBtn;
    if (IsMaximize()) {
        button->setObjectName(QStringLiteral("m_pNormalSizeBtn"));
        button->setToolTip(tr("Restore Down"));
    } else {
        button->setObjectName(QStringLiteral("m_pFullSizeBtn"));
        button->setToolTip(tr("Maximize"));
    }
    // Style sheet rules select the button by name; a new name takes effect only on re-polish.
    button->style()->unpolish(button);
    button->style()->polish(button);
    button->update();
}

void CBaseDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        // QDialog would reject on Escape and press the default button on Return; a toolkit
        // dialog closes only through its own buttons.
        event->accept();
        return;
    default:
        CDialog::keyPressEvent(event);
    }
}

QGridLayout* CBaseDialog::GetDialogGridLayout() const
{
    return d->m_pGridBaseDialog;
}

CWidget* CBaseDialog::GetBodyWidget() const
{
    return d->m_pNoBottomWidget;
}

} // namespace TesselGUIToolkit
