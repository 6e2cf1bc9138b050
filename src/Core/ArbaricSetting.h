#pragma once

#include "Core/UiSingleton.h"
#include "nimbguitoolkit_export.h"

#include <QPoint>
#include <QString>

namespace TesselGUIToolkit {

/// Process-wide reading direction of the user interface. Widgets read it when they are built
/// or painted; set it before creating windows.
class NIMBGUITOOLKIT_EXPORT ArbaricSetting : public CUiSingleton<ArbaricSetting>
{
public:
    enum ReadDirection : int { RightToLeft = 0, LeftToRight = 1 };

    void SetReadDirection(const ReadDirection& direction) { m_eReadDirection = direction; }
    ReadDirection GetReadDirection() const { return m_eReadDirection; }
    /// Stored for the client; no toolkit widget reads it.
    void SetLanguageType(int type) { m_nLanguageType = type; }
    int GetLanguangeType() const { return m_nLanguageType; }

    /// Shift for a tool tip under right-to-left reading: (width of `text` in "SegoeUI" 13 pt, 0);
    /// (0, 0) when reading left to right.
    QPoint ArbaricTipPos(const QString& text) const;

private:
    friend class CUiSingleton<ArbaricSetting>;
    ArbaricSetting() = default;
    ~ArbaricSetting() override = default;

    ReadDirection m_eReadDirection = LeftToRight;
    int m_nLanguageType = 0;
};

} // namespace TesselGUIToolkit
