#pragma once

#include "nimbguitoolkit_export.h"

#include <QLayoutItem>
#include <QObject>
#include <QPointer>

namespace TesselGUIToolkit {
class CBaseItemAnimDirector;
class CGeometryAnimator;
class CGUIBaseWidget;

/// The item through which a window sits in a grid layout: the layout's geometries reach the
/// window through its animator, so that a rebuilt layout moves windows smoothly. The window is
/// held weakly; once it is gone the item is empty and ignores geometries. Layouts own their
/// items, so the item takes no QObject parent.
class NIMBGUITOOLKIT_EXPORT CAnimLayoutItem : public QObject, public QLayoutItem
{
    Q_OBJECT
public:
    /// Uses (and creates if needed) the window's animator obeying `director`.
    explicit CAnimLayoutItem(CGUIBaseWidget* widget, CBaseItemAnimDirector* director = nullptr,
                             Qt::Alignment alignment = Qt::Alignment());
    ~CAnimLayoutItem() override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    QSize maximumSize() const override;
    Qt::Orientations expandingDirections() const override;
    bool isEmpty() const override;
    void setGeometry(const QRect& rect) override;
    QRect geometry() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QWidget* widget() override;
    QSizePolicy::ControlTypes controlTypes() const override;

    CGUIBaseWidget* GetWidget() const;
    CGeometryAnimator* GetAnimator() const;

private:
    QPointer<CGUIBaseWidget> m_pWidget;
    QPointer<CGeometryAnimator> m_pAnimator;
};

} // namespace TesselGUIToolkit
