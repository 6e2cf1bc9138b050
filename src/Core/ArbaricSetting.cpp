#include "Core/ArbaricSetting.h"

#include "Core/UiSingleton_impl_p.h"

#include <QFont>
#include <QFontMetrics>

namespace TesselGUIToolkit {

template class CUiSingleton<ArbaricSetting>;

QPoint ArbaricSetting::ArbaricTipPos(const QString& text) const
{
    if (m_eReadDirection != RightToLeft || text.isEmpty())
        return QPoint(0, 0);
    QFont font(QStringLiteral("SegoeUI"));
    font.setPointSize(13);
    return QPoint(QFontMetrics(font).horizontalAdvance(text), 0);
}

} // namespace TesselGUIToolkit
