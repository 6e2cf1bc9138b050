#pragma once

#include "nimbguitoolkit_export.h"

#include <QFrame>
#include <QPixmap>
#include <QString>

#include <memory>

class QLayout;

namespace TesselGUIToolkit {
class CTitleWidgetPrivate;

/// Title strip for panels inside other widgets: an optional icon ("ptr_title_icon_label_"), the
/// title text ("ptr_title_label_") and, pushed to the far end, whatever widgets and layouts the
/// owner adds. An optional picture is painted behind them at a chosen alignment.
class NIMBGUITOOLKIT_EXPORT CTitleWidget : public QFrame
{
    Q_OBJECT
public:
    explicit CTitleWidget(QWidget* parent = nullptr);
    ~CTitleWidget() override;

    void SetTitle(const QString& title);
    QString GetTitle() const;
    /// Picture painted behind the strip's parts; a null pixmap removes it.
    void SetTitlePixmap(const QPixmap& pixmap);
    QPixmap GetTitlePixmap() const;
    /// Where the picture sits (left and right follow the reading direction); initially
    /// Qt::AlignLeft | Qt::AlignVCenter.
    void SetTitlePixmapAlignment(Qt::Alignment alignment);
    Qt::Alignment GetTitlePixmapAlignment() const;
    /// Icon in front of the title; a null pixmap hides it.
    void SetTitleIcon(const QPixmap& icon);
    /// Appends after the title, at the far end of the strip (null is ignored).
    void AddWidget(QWidget* widget);
    /// Appends after the title, at the far end of the strip (null, or a layout that already has
    /// a parent, is ignored).
    void AddLayout(QLayout* layout);
    /// Given for left-to-right reading; left and right trade places when ArbaricSetting reads
    /// right to left.
    void SetLayoutContentsMargins(int left, int top, int right, int bottom);
    void SetLayoutSpacing(int spacing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<CTitleWidgetPrivate> const d;
};

} // namespace TesselGUIToolkit
