#include "TimeLine/TimeSliderFilterPopup.h"

#include "Button/CheckBox.h"

#include <QApplication>
#include <QButtonGroup>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace TesselGUIToolkit {

CTimeSliderFilterPopup::CTimeSliderFilterPopup(QWidget* parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("ptr_time_slider_filter_popup_"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_pLevelLayout = new QVBoxLayout;
    m_pLevelLayout->setContentsMargins(0, 0, 0, 0);
    m_pLevelLayout->setSpacing(2);
    layout->addLayout(m_pLevelLayout);

    m_pSeparator = new QFrame(this);
    m_pSeparator->setObjectName(QStringLiteral("ptr_filter_separator_"));
    m_pSeparator->setFrameShape(QFrame::HLine);
    m_pSeparator->hide();
    layout->addWidget(m_pSeparator);

    m_pStorageLayout = new QVBoxLayout;
    m_pStorageLayout->setContentsMargins(0, 0, 0, 0);
    m_pStorageLayout->setSpacing(2);
    layout->addLayout(m_pStorageLayout);

    m_pStorageGroup = new QButtonGroup(this);
    m_pStorageGroup->setExclusive(true);
    connect(m_pStorageGroup, &QButtonGroup::idClicked, this,
            &CTimeSliderFilterPopup::OnStorageClicked);
}

CTimeSliderFilterPopup::~CTimeSliderFilterPopup() = default;

int CTimeSliderFilterPopup::IndexOfLevel(int nLevel) const
{
    for (int i = 0; i < m_vecLevels.size(); ++i) {
        if (m_vecLevels.at(i).nLevel == nLevel)
            return i;
    }
    return -1;
}

void CTimeSliderFilterPopup::AddTimeLevel(const QIcon& icon, const QString& strText, int nLevel)
{
    const int index = IndexOfLevel(nLevel);
    if (index >= 0) {
        QCheckBox* box = m_vecLevels.at(index).pCheckBox;
        box->setIcon(icon);
        box->setText(strText);
        RelayoutSize();
        return;
    }
    auto* box = new CCheckBox(strText, this);
    box->setObjectName(QStringLiteral("ptr_level_check_box_%1_").arg(nLevel));
    box->setIcon(icon);
    box->setChecked(true);
    box->setProperty("level", nLevel);
    connect(box, &QCheckBox::clicked, this, &CTimeSliderFilterPopup::OnLevelClicked);
    m_pLevelLayout->addWidget(box);
    m_vecLevels.append({nLevel, box});
    RelayoutSize();
}

void CTimeSliderFilterPopup::AddTimeLevels(const QList<int>& listLevels)
{
    for (int level : listLevels) {
        if (IndexOfLevel(level) < 0)
            AddTimeLevel(QIcon(), QString::number(level), level);
    }
}

void CTimeSliderFilterPopup::ClearTimeLevel()
{
    for (const LevelEntry& entry : qAsConst(m_vecLevels))
        delete entry.pCheckBox;
    m_vecLevels.clear();
    RelayoutSize();
}

QList<int> CTimeSliderFilterPopup::GetLevels() const
{
    QList<int> levels;
    for (const LevelEntry& entry : m_vecLevels)
        levels.append(entry.nLevel);
    return levels;
}

QList<int> CTimeSliderFilterPopup::GetCheckedLevels() const
{
    QList<int> levels;
    for (const LevelEntry& entry : m_vecLevels) {
        if (entry.pCheckBox->isChecked())
            levels.append(entry.nLevel);
    }
    return levels;
}

bool CTimeSliderFilterPopup::SetLevelChecked(int nLevel, bool bChecked)
{
    const int index = IndexOfLevel(nLevel);
    if (index < 0)
        return false;
    m_vecLevels.at(index).pCheckBox->setChecked(bChecked);
    return true;
}

bool CTimeSliderFilterPopup::IsLevelChecked(int nLevel) const
{
    const int index = IndexOfLevel(nLevel);
    return index >= 0 && m_vecLevels.at(index).pCheckBox->isChecked();
}

QCheckBox* CTimeSliderFilterPopup::GetLevelCheckBox(int nLevel) const
{
    const int index = IndexOfLevel(nLevel);
    return index >= 0 ? m_vecLevels.at(index).pCheckBox : nullptr;
}

void CTimeSliderFilterPopup::SetStorageType(const StorageSetting& setting, int iStorageType,
                                            int iStorageId)
{
    for (QRadioButton* button : qAsConst(m_vecStorageButtons)) {
        m_pStorageGroup->removeButton(button);
        delete button;
    }
    m_vecStorageButtons.clear();
    m_storageSetting = setting;
    for (int i = 0; i < setting.vecStorages.size(); ++i) {
        const StorageSetting::Storage& storage = setting.vecStorages.at(i);
        auto* button = new QRadioButton(storage.strName, this);
        button->setObjectName(QStringLiteral("ptr_storage_radio_button_%1_").arg(i));
        m_pStorageGroup->addButton(button, i);
        m_pStorageLayout->addWidget(button);
        m_vecStorageButtons.append(button);
        if (storage.iStorageType == iStorageType && storage.iStorageId == iStorageId)
            button->setChecked(true);
    }
    m_pSeparator->setVisible(!m_vecStorageButtons.isEmpty());
    RelayoutSize();
}

bool CTimeSliderFilterPopup::GetCurrentStorage(int& iStorageType, int& iStorageId) const
{
    const int index = m_pStorageGroup->checkedId();
    if (index < 0 || index >= m_storageSetting.vecStorages.size())
        return false;
    iStorageType = m_storageSetting.vecStorages.at(index).iStorageType;
    iStorageId = m_storageSetting.vecStorages.at(index).iStorageId;
    return true;
}

QRadioButton* CTimeSliderFilterPopup::GetStorageButton(int nIndex) const
{
    return (nIndex >= 0 && nIndex < m_vecStorageButtons.size()) ? m_vecStorageButtons.at(nIndex)
                                                                : nullptr;
}

void CTimeSliderFilterPopup::PopupAt(const QPoint& ptGlobalTopRight)
{
    RelayoutSize();
    QPoint topLeft(ptGlobalTopRight.x() - width() + 1, ptGlobalTopRight.y());
    if (const QScreen* screen = QGuiApplication::screenAt(ptGlobalTopRight)) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() - width() + 1)));
        // Not enough room below: open upward from the same anchor.
        if (topLeft.y() + height() - 1 > area.bottom())
            topLeft.setY(std::max(area.top(), ptGlobalTopRight.y() - height()));
    }
    move(topLeft);
    show();
}

void CTimeSliderFilterPopup::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Q_EMIT SignalResized(event->size(), event->oldSize());
}

void CTimeSliderFilterPopup::OnLevelClicked()
{
    Q_EMIT SignalFilter(GetCheckedLevels());
}

void CTimeSliderFilterPopup::OnStorageClicked(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_storageSetting.vecStorages.size())
        return;
    const StorageSetting::Storage& storage = m_storageSetting.vecStorages.at(nIndex);
    Q_EMIT SignalStorageTypeChanged(storage.iStorageType, storage.iStorageId);
}

void CTimeSliderFilterPopup::RelayoutSize()
{
    if (QLayout* top = layout())
        top->activate();
    adjustSize();
}

} // namespace TesselGUIToolkit
