#pragma once

#include "nimbguitoolkit_export.h"

#include <QObject>
#include <QPointer>
#include <QPropertyAnimation>
#include <QRect>

#include <memory>

class QWidget;

namespace TesselGUIToolkit {

/// Decides, for all windows of one layout at once, whether moves are animated. The layout
/// manager owns one and switches it before every rebuild. Moves are not animated until
/// SetAnimated(true): a window placed before anyone asked for animation should simply appear.
class NIMBGUITOOLKIT_EXPORT CBaseItemAnimDirector
{
public:
    CBaseItemAnimDirector();
    explicit CBaseItemAnimDirector(bool animated);
    CBaseItemAnimDirector(const CBaseItemAnimDirector& other);
    CBaseItemAnimDirector& operator=(const CBaseItemAnimDirector& other);
    virtual ~CBaseItemAnimDirector();

    virtual bool IsAnimated() const { return m_bAnimated; }
    virtual void SetAnimated(bool animated) { m_bAnimated = animated; }

private:
    friend class CGeometryAnimator;
    bool m_bAnimated = false;
    // Animators outlive directors in practice (windows belong to the client, directors to a
    // manager); they hold a weak reference to this and stop asking once it expires.
    std::shared_ptr<CBaseItemAnimDirector*> m_pAliveToken;
};

/// Moves one widget to the geometries it is given, animated (300 ms, InOutCubic on the
/// widget's "geometry" property) while enabled and while its director says so, at once
/// otherwise. Disabling it or finishing early puts the widget at the end of its move at once.
class NIMBGUITOOLKIT_EXPORT CGeometryAnimator : public QObject
{
    Q_OBJECT
public:
    /// `target` is not owned; `director` is not owned and may be null (no animation).
    explicit CGeometryAnimator(QWidget* target, CBaseItemAnimDirector* director = nullptr,
                               QObject* parent = nullptr);
    ~CGeometryAnimator() override;

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_bEnabled; }
    void SetDirector(CBaseItemAnimDirector* director);
    /// Null once the director has been destroyed.
    CBaseItemAnimDirector* GetDirector() const;
    void SetTargetWidget(QWidget* target);
    QWidget* GetTargetWidget() const { return m_pTarget; }
    QPropertyAnimation* GetAnimation() const { return m_pAnimation; }
    /// Whether a move is under way (running or paused half-way).
    bool IsAnimating() const;

    /// Moves the target to `rect` (parent coordinates); nothing without a target.
    void SetGeometry(const QRect& rect);
    /// Ends a move under way by putting the target at its end geometry.
    void Finish();

private:
    bool m_bEnabled = true;
    QPointer<QWidget> m_pTarget;
    QPointer<QPropertyAnimation> m_pAnimation;
    std::weak_ptr<CBaseItemAnimDirector*> m_pDirector;
};

} // namespace TesselGUIToolkit
