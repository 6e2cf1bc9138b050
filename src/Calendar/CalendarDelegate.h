#pragma once

#include "nimbguitoolkit_export.h"

#include <QPointer>
#include <QStyledItemDelegate>

namespace TesselGUIToolkit {
class CCalendarWidget;

/// Hands every cell of the calendar's grid to CCalendarWidget::paintCell, so that a subclass of
/// the calendar decides the look. Without a calendar (or once it is gone) cells paint the Qt way.
class NIMBGUITOOLKIT_EXPORT CCalendarDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    /// `calendar` is not owned.
    explicit CCalendarDelegate(CCalendarWidget* calendar, QObject* parent = nullptr);
    ~CCalendarDelegate() override;

    CCalendarWidget* GetCalendarWidget() const { return m_pCalendarWidget; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QPointer<CCalendarWidget> m_pCalendarWidget;
};

} // namespace TesselGUIToolkit
