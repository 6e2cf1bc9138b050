#pragma once

#include "nimbguitoolkit_export.h"

#include <QFrame>
#include <QIcon>
#include <QList>
#include <QString>
#include <QVector>

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class QVBoxLayout;

namespace TesselGUIToolkit {

/// Where the client may read recordings from (for example the device or a server). The pop-up
/// offers each entry as a choice and reports the picked one; the toolkit attaches no meaning to
/// the numbers.
struct StorageSetting
{
    struct Storage
    {
        int iStorageType = 0;
        int iStorageId = 0;
        QString strName;
    };
    QVector<Storage> vecStorages;
};

/// The level filter of the multi-channel time line: one check box per record level (a checked
/// level is shown) and, when the client gave any, the storage choices. It is a pop-up window and
/// closes when the user clicks elsewhere.
class NIMBGUITOOLKIT_EXPORT CTimeSliderFilterPopup : public QFrame
{
    Q_OBJECT
public:
    explicit CTimeSliderFilterPopup(QWidget* parent = nullptr);
    ~CTimeSliderFilterPopup() override;

    /// Adds a level entry (checked), or gives an existing one the new icon and text.
    void AddTimeLevel(const QIcon& icon, const QString& strText, int nLevel);
    /// Adds checked entries for the levels not offered yet, named after their number.
    void AddTimeLevels(const QList<int>& listLevels);
    void ClearTimeLevel();
    /// The offered levels in the order they were added.
    QList<int> GetLevels() const;
    /// The checked levels in the order they were added.
    QList<int> GetCheckedLevels() const;
    /// false when the level is not offered.
    bool SetLevelChecked(int nLevel, bool bChecked);
    bool IsLevelChecked(int nLevel) const;
    /// The check box of a level; null when the level is not offered.
    QCheckBox* GetLevelCheckBox(int nLevel) const;

    /// Replaces the storage choices and marks the one with that type and id (none when absent).
    void SetStorageType(const StorageSetting& setting, int iStorageType, int iStorageId);
    StorageSetting GetStorageSetting() const { return m_storageSetting; }
    /// The marked storage choice; false when none is marked.
    bool GetCurrentStorage(int& iStorageType, int& iStorageId) const;
    /// The radio button of storage choice `nIndex`; null outside the list.
    QRadioButton* GetStorageButton(int nIndex) const;

    /// Opens the pop-up with its top-right corner at `ptGlobalTopRight`, kept on the screen.
    void PopupAt(const QPoint& ptGlobalTopRight);

Q_SIGNALS:
    /// The user checked or unchecked a level; the argument is the checked levels.
    void SignalFilter(const QList<int>& listLevels);
    void SignalResized(const QSize& sizeNew, const QSize& sizeOld);
    /// The user picked another storage choice.
    void SignalStorageTypeChanged(int iStorageType, int iStorageid);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct LevelEntry
    {
        int nLevel = 0;
        QCheckBox* pCheckBox = nullptr;
    };
    int IndexOfLevel(int nLevel) const;
    void OnLevelClicked();
    void OnStorageClicked(int nIndex);
    void RelayoutSize();

    QVBoxLayout* m_pLevelLayout = nullptr;
    QFrame* m_pSeparator = nullptr;
    QVBoxLayout* m_pStorageLayout = nullptr;
    QButtonGroup* m_pStorageGroup = nullptr;
    QVector<LevelEntry> m_vecLevels;
    QVector<QRadioButton*> m_vecStorageButtons;
    StorageSetting m_storageSetting;
};

} // namespace TesselGUIToolkit

Q_DECLARE_METATYPE(TesselGUIToolkit::StorageSetting)
