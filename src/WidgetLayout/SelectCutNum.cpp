#include "WidgetLayout/SelectCutNum.h"

#include "Core/ArbaricSetting.h"
#include "Label/Label.h"
#include "WidgetLayout/WidgetLayoutMgr.h"

#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QToolButton>

namespace TesselGUIToolkit {

namespace {

    struct ButtonPlace
    {
        const char* name;
        int type;
        int row;
        int column;
    };

    // Rows 0 and 3 hold the group labels, row 6 the client's extra frame.
    const ButtonPlace kButtons[] = {
        {"m_pBtn1_1", 1, 1, 0},       {"m_pBtn2_4", 2, 1, 1},      {"m_pBtn3_6", 3, 1, 2},
        {"m_pBtn3_9", 4, 1, 3},       {"m_pBtn4_8", 5, 1, 4},      {"m_pBtn4_13", 7, 1, 5},
        {"m_pBtn4_16", 8, 2, 0},      {"m_pBtn5_25", 15, 2, 1},    {"m_pBtn7_32", 16, 2, 2},
        {"m_pBtn6_36", 18, 2, 3},     {"m_pBtn8_64", 17, 2, 4},    {"m_pBtn4x3_4", 100, 4, 0},
        {"m_pBtn4x3_6", 101, 4, 1},   {"m_pBtn4x3_9", 102, 4, 2},  {"m_pBtn4x3_12", 103, 4, 3},
        {"m_pBtn8x6_7", 104, 4, 4},   {"m_pBtn8x6_16", 105, 4, 5}, {"m_pBtn8x6_24", 106, 5, 0},
        {"m_pBtn8x6_36", 107, 5, 1},  {"m_pBtn8x6_48", 108, 5, 2},
    };

} // namespace

CSelectCutNum::CSelectCutNum(CWidgetLayoutMgr* manager, CFrame* extra, QWidget* parent)
    : CFrame(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_pLayoutMgr(manager)
{
    if (ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft)
        setLayoutDirection(Qt::RightToLeft);

    m_pGridLayout = new QGridLayout(this);
    m_pGridLayout->setContentsMargins(3, 3, 3, 3);
    m_pGridLayout->setSpacing(0);

    m_pStanderdLabel = new CLabel(tr("Standard Screen Layout:"), this);
    m_pStanderdLabel->setObjectName(QStringLiteral("m_pStanderdLabel"));
    m_pStanderdLabel->setFixedHeight(kLabelHeight);
    m_pGridLayout->addWidget(m_pStanderdLabel, 0, 0, 1, kColumnCount);

    m_pWideLabel = new CLabel(tr("Wide Screen Layout:"), this);
    m_pWideLabel->setObjectName(QStringLiteral("m_pWideLabel"));
    m_pWideLabel->setFixedHeight(kLabelHeight);
    m_pGridLayout->addWidget(m_pWideLabel, 3, 0, 1, kColumnCount);

    for (const ButtonPlace& place : kButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(place.name));
        button->setFixedSize(kButtonWidth, kButtonHeight);
        button->setIconSize(QSize(21, 19));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        m_pGridLayout->addWidget(button, place.row, place.column);
        m_mapBtnType.insert(button, place.type);
        m_listBtns.append(button);
        connect(button, &QToolButton::clicked, this, &CSelectCutNum::OnBtnClicked);
    }

    if (extra)
        m_pGridLayout->addWidget(extra, 6, 0, 1, kColumnCount);
}

CSelectCutNum::~CSelectCutNum() = default;

int CSelectCutNum::WndCount(SplitType type) const
{
    return m_pLayoutMgr ? m_pLayoutMgr->GetWndCountByType(type) : 0;
}

void CSelectCutNum::SetMaxWndNum(int count)
{
    for (QToolButton* button : qAsConst(m_listBtns))
        button->setVisible(WndCount(m_mapBtnType.value(button)) <= count);
}

void CSelectCutNum::GetSupportSplitType(QVector<SplitType>& out) const
{
    out.clear();
    for (QToolButton* button : m_listBtns)
        out.append(m_mapBtnType.value(button));
}

void CSelectCutNum::UpdateBtnText()
{
    for (QToolButton* button : qAsConst(m_listBtns))
        button->setText(QString::number(WndCount(m_mapBtnType.value(button))));
}

bool CSelectCutNum::IsMouseIn() const
{
    return QRect(mapToGlobal(QPoint(0, 0)), size()).contains(QCursor::pos());
}

QToolButton* CSelectCutNum::GetButton(SplitType type) const
{
    for (QToolButton* button : m_listBtns) {
        if (m_mapBtnType.value(button) == type)
            return button;
    }
    return nullptr;
}

CSelectCutNum::SplitType CSelectCutNum::GetButtonType(const QObject* button) const
{
    return m_mapBtnType.value(button, 0);
}

void CSelectCutNum::OnBtnClicked()
{
    const auto it = m_mapBtnType.constFind(sender());
    if (it == m_mapBtnType.constEnd())
        return;
    Q_EMIT SignalClickedBtn(it.value());
}

bool CSelectCutNum::event(QEvent* event)
{
    // Qt replays the press that closes a pop-up to the widget under the cursor; that press
    // was meant to switch windows, not to act on whatever lies under it.
    if (event->type() == QEvent::ActivationChange && isVisible() && !IsMouseIn()) {
        setAttribute(Qt::WA_NoMouseReplay);
        hide();
    }
    return CFrame::event(event);
}

} // namespace TesselGUIToolkit
