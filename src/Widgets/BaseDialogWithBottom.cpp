#include "Widgets/BaseDialogWithBottom.h"

#include "Button/PushButton.h"
#include "Widgets/Widget.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QSpacerItem>
#include <QStyle>

namespace TesselGUIToolkit {

namespace {

    void Rename(QWidget* widget, const QString& name)
    {
        if (widget->objectName() == name)
            return;
        widget->setObjectName(name);
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
        widget->update();
    }

} // namespace

/// The parts of the bottom bar.
class BaseDialogBottomUi
{
public:
    void SetupUi(QWidget* parent);

    QFrame* m_pBottomFrame = nullptr;
    QGridLayout* m_pBottomGrid = nullptr;
    QFrame* ptr_line = nullptr;
    CPushButton* m_pLeftBtn = nullptr;
    CPushButton* m_pConfirmBtn = nullptr;
    CPushButton* m_pCancelBtn = nullptr;
};

void BaseDialogBottomUi::SetupUi(QWidget* parent)
{
    m_pBottomFrame = new QFrame(parent);
    m_pBottomFrame->setObjectName(QStringLiteral("m_pBottomFrame"));
    m_pBottomGrid = new QGridLayout(m_pBottomFrame);
    m_pBottomGrid->setObjectName(QStringLiteral("m_pBottomGrid"));
    m_pBottomGrid->setHorizontalSpacing(6);
    m_pBottomGrid->setVerticalSpacing(10);
    // -1 leaves the left margin to the style.
    m_pBottomGrid->setContentsMargins(-1, 0, 10, 10);

    ptr_line = new QFrame(m_pBottomFrame);
    ptr_line->setObjectName(QStringLiteral("ptr_line"));
    ptr_line->setFrameShape(QFrame::HLine);
    ptr_line->setStyleSheet(QStringLiteral("border:1px solid #cccccc;"));
    ptr_line->hide();

    m_pLeftBtn = new CPushButton(m_pBottomFrame);
    m_pLeftBtn->setObjectName(QStringLiteral("m_pLeftBtn"));
    m_pLeftBtn->hide();
    m_pConfirmBtn = new CPushButton(m_pBottomFrame);
    m_pConfirmBtn->setObjectName(QStringLiteral("m_pConfirmBtn"));
    m_pCancelBtn = new CPushButton(m_pBottomFrame);
    m_pCancelBtn->setObjectName(QStringLiteral("m_pCancelBtn"));

    m_pBottomGrid->addWidget(ptr_line, 0, 0, 1, 4);
    m_pBottomGrid->addWidget(m_pLeftBtn, 1, 0);
    m_pBottomGrid->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 1,
                           1);
    m_pBottomGrid->addWidget(m_pConfirmBtn, 1, 2);
    m_pBottomGrid->addWidget(m_pCancelBtn, 1, 3);
}

CBaseDialogWithBottom::CBaseDialogWithBottom(QWidget* parent)
    : CBaseDialog(parent)
    , ui(new BaseDialogBottomUi)
{
    ui->SetupUi(this);
    ui->m_pConfirmBtn->setText(tr("OK"));
    ui->m_pCancelBtn->setText(tr("Cancel"));
    GetDialogGridLayout()->addWidget(ui->m_pBottomFrame, 2, 0);
    Rename(GetSetUpUiWidget(), QStringLiteral("m_pWithBottomFrame"));

    connect(ui->m_pConfirmBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->m_pConfirmBtn, &QPushButton::clicked, this, &CBaseDialogWithBottom::SignalOk);
    connect(ui->m_pCancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

CBaseDialogWithBottom::~CBaseDialogWithBottom() = default;

CPushButton* CBaseDialogWithBottom::GetLeftBtn() const
{
    return ui->m_pLeftBtn;
}

CPushButton* CBaseDialogWithBottom::GetConfirmBtn() const
{
    return ui->m_pConfirmBtn;
}

CPushButton* CBaseDialogWithBottom::GetCancelBtn() const
{
    return ui->m_pCancelBtn;
}

void CBaseDialogWithBottom::SetLineVisible(bool visible)
{
    ui->ptr_line->setVisible(visible);
}

void CBaseDialogWithBottom::SetLeftBtnVisible(bool visible)
{
    ui->m_pLeftBtn->setVisible(visible);
}

void CBaseDialogWithBottom::SetConfirmBtnVisible(bool visible)
{
    ui->m_pConfirmBtn->setVisible(visible);
}

void CBaseDialogWithBottom::SetCancelBtnVisible(bool visible)
{
    ui->m_pCancelBtn->setVisible(visible);
}

void CBaseDialogWithBottom::SetConfirmBtnText(const QString& text)
{
    ui->m_pConfirmBtn->setText(text);
}

void CBaseDialogWithBottom::SetCancelBtnText(const QString& text)
{
    ui->m_pCancelBtn->setText(text);
}

void CBaseDialogWithBottom::SetYesAndNoText()
{
    ui->m_pConfirmBtn->setText(tr("Yes"));
    ui->m_pCancelBtn->setText(tr("No"));
}

bool CBaseDialogWithBottom::BottomIsVisible() const
{
    return !ui->m_pBottomFrame->isHidden();
}

void CBaseDialogWithBottom::HideBottom()
{
    Rename(GetBodyWidget(), QStringLiteral("m_pNoBottomWidget"));
    Rename(GetSetUpUiWidget(), QStringLiteral("m_pContentFrame"));
    ui->m_pBottomFrame->hide();
}

bool CBaseDialogWithBottom::ReConnect(const QObject* sender, const char* signal,
                                      const QObject* receiver, const char* slot,
                                      Qt::ConnectionType type)
{
    if (!sender || !signal || !receiver || !slot)
        return false;
    QObject::disconnect(sender, signal, nullptr, nullptr);
    return bool(QObject::connect(sender, signal, receiver, slot, type));
}

void CBaseDialogWithBottom::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        if (ui->m_pConfirmBtn->isVisible())
            ui->m_pConfirmBtn->click();
        event->accept();
        return;
    default:
        CBaseDialog::keyPressEvent(event);
    }
}

} // namespace TesselGUIToolkit
