#pragma once

#include "nimbguitoolkit_export.h"

#include <QBoxLayout>
#include <QGridLayout>

class QSpacerItem;

namespace TesselGUIToolkit {

/// Helpers for any QLayout.
class NIMBGUITOOLKIT_EXPORT CLayoutFunction
{
public:
    /// Index of `item` in `layout`; -1 when absent or either is null.
    static int IndexOfItem(const QLayout* layout, QLayoutItem* item);
    /// Takes the first item holding `widget` (for an animated layout item: its window) out of
    /// `layout` and hands it to the caller; null when there is none or an argument is null.
    static QLayoutItem* TakeItem(QLayout* layout, const QWidget* widget);
    /// Takes every item out of `layout` and deletes it; the widgets they held stay alive.
    static void RemoveAllItem(QLayout* layout);
};

/// Left-to-right box layout with insertion relative to a widget already in it. Null widgets,
/// items and layouts are ignored (the caller keeps what was not inserted).
class NIMBGUITOOLKIT_EXPORT CHBoxLayout : public QBoxLayout
{
    Q_OBJECT
public:
    explicit CHBoxLayout(QWidget* parent = nullptr);
    ~CHBoxLayout() override;

    void AddWidget(QWidget* widget);
    void InsertWidget(int index, QWidget* widget, int stretch = 0,
                      Qt::Alignment alignment = Qt::Alignment());
    /// Inserts in front of `before`; a `before` that is not in the layout appends.
    void InsertWidget(QWidget* before, QWidget* widget, int stretch = 0,
                      Qt::Alignment alignment = Qt::Alignment());
    void AddItem(QLayoutItem* item, int stretch = 0);
    void InsertItem(int index, QLayoutItem* item);
    void InsertItem(QWidget* before, QLayoutItem* item, int stretch = 0);
    void InsertSpacerItem(QWidget* before, QSpacerItem* spacer);
    void AddLayout(QLayout* layout);
    void SetLayoutContentsMargins(int left, int top, int right, int bottom);
    void SetLayoutSpacing(int spacing);
    int IndexOfItem(QLayoutItem* item) const;
};

/// Grid layout that lines widgets up in one row, left to right (no margins, spacing 6).
class NIMBGUITOOLKIT_EXPORT CGridLayout : public QGridLayout
{
    Q_OBJECT
public:
    explicit CGridLayout(QWidget* parent = nullptr);
    ~CGridLayout() override;

    /// Puts `widget` in the next column of row 0; null is ignored.
    void AddWidget(QWidget* widget);

private:
    int m_nRow = 0;
    int m_nColumn = 0;
};

} // namespace TesselGUIToolkit
