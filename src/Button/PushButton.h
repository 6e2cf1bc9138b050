#pragma once

#include "nimbguitoolkit_export.h"

#include <QPushButton>

namespace TesselGUIToolkit {

/// The toolkit's push button. Text that does not fit is elided at its end: on the right for
/// left-to-right reading, on the left when ArbaricSetting reads right to left (the button then
/// also lays itself out right to left). text() always returns the full text.
class NIMBGUITOOLKIT_EXPORT CPushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CPushButton(QWidget* parent = nullptr);
    explicit CPushButton(const QString& text, QWidget* parent = nullptr);
    CPushButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);
    ~CPushButton() override;

    /// The end at which text that does not fit is cut (Qt::ElideRight or Qt::ElideLeft).
    Qt::TextElideMode GetElideMode() const { return m_eElideMode; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyReadDirection();

    Qt::TextElideMode m_eElideMode = Qt::ElideRight;
};

} // namespace TesselGUIToolkit
