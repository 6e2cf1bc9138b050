#pragma once

#include "nimbguitoolkit_export.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class QTimeLine;
class QWidget;

namespace TesselGUIToolkit {

/// Fades a top-level widget out (window opacity 1 to 0 with an ease-in curve) and hides it,
/// unless the mouse rests on it: entering the widget stops the fade, leaving starts it again.
class NIMBGUITOOLKIT_EXPORT CAutoShader : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultDuration = 4000;

    explicit CAutoShader(QObject* parent = nullptr);
    ~CAutoShader() override;

    /// The widget to fade (not owned; a null widget is ignored). The previous one is released.
    void SetAutoShadeWidget(QWidget* widget);
    QWidget* GetAutoShadeWidget() const { return m_pShadeWidget; }
    /// Fade length in milliseconds; values below 1 restore the default of 4000.
    void SetShadeDuration(int ms);
    int GetShadeDuration() const { return m_nDuration; }
    /// Where InitShadeWidgetShow() puts the widget: `pos` relative to `reference` (not owned,
    /// may be null); (0, 0) centres the widget instead.
    void SetShadeWidgetPos(const QPoint& pos, QWidget* reference);
    /// Starts the fade from full opacity unless it is already running.
    void StartAutoShade();
    /// Stops a running fade and restores full opacity.
    void StopAutoShade();
    bool IsShading() const;
    /// Moves the widget to the stored position, or to the point that centres it in the
    /// reference's frame geometry (the primary screen's available area without a reference).
    /// With a reference that point is then taken as the reference's own coordinates and mapped
    /// to global ones, as a stored position is; a top-level reference away from the screen's
    /// origin therefore moves the centred widget by the reference's position once more.
    void InitShadeWidgetShow();

Q_SIGNALS:
    void SignalShadeActionFinished();

public Q_SLOTS:
    /// Sets the widget's window opacity to 1 - `value`.
    void OnValueChanged(double value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint m_ptPos;
    QTimeLine* m_pTimeLine = nullptr;
    int m_nDuration = DefaultDuration;
    QPointer<QWidget> m_pShadeWidget;
    QPointer<QWidget> m_pReferenceWidget;
    QMetaObject::Connection m_connHide;
};

} // namespace TesselGUIToolkit
