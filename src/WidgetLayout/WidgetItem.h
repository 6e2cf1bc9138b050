#pragma once

#include "nimbguitoolkit_export.h"

#include <QWidgetItem>

namespace TesselGUIToolkit {

/// A QWidgetItem for bars that must stay centred on their parent window, not on their cell:
/// with an alignment and a parent widget, the widget (bounded by the cell) is centred
/// horizontally on the parent's centre but never left of the cell, and put at the top, the
/// bottom or the middle of the cell by the vertical alignment. Otherwise it behaves as
/// QWidgetItem.
class NIMBGUITOOLKIT_EXPORT CWidgetItem : public QWidgetItem
{
public:
    CWidgetItem(QWidget* widget, Qt::Alignment alignment);
    ~CWidgetItem() override;

    void setGeometry(const QRect& rect) override;
};

} // namespace TesselGUIToolkit
