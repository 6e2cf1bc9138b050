#include "Widgets/LayoutFunction.h"

#include "WidgetLayout/AnimLayoutItem.h"
#include "Widgets/GUIBaseWidget.h"

#include <QSpacerItem>

namespace TesselGUIToolkit {

int CLayoutFunction::IndexOfItem(const QLayout* layout, QLayoutItem* item)
{
    if (!layout || !item)
        return -1;
    for (int i = 0; i < layout->count(); ++i) {
        if (layout->itemAt(i) == item)
            return i;
    }
    return -1;
}

QLayoutItem* CLayoutFunction::TakeItem(QLayout* layout, const QWidget* widget)
{
    if (!layout || !widget)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        const QWidget* held = item->widget();
        if (auto* animItem = dynamic_cast<CAnimLayoutItem*>(item))
            held = animItem->GetWidget();
        if (held == widget)
            return layout->takeAt(i);
    }
    return nullptr;
}

void CLayoutFunction::RemoveAllItem(QLayout* layout)
{
    if (!layout)
        return;
    while (QLayoutItem* item = layout->takeAt(0))
        delete item;
}

CHBoxLayout::CHBoxLayout(QWidget* parent)
    : QBoxLayout(QBoxLayout::LeftToRight, parent)
{
}

CHBoxLayout::~CHBoxLayout() = default;

void CHBoxLayout::AddWidget(QWidget* widget)
{
    if (widget)
        addWidget(widget);
}

void CHBoxLayout::InsertWidget(int index, QWidget* widget, int stretch, Qt::Alignment alignment)
{
    if (widget)
        insertWidget(index, widget, stretch, alignment);
}

void CHBoxLayout::InsertWidget(QWidget* before, QWidget* widget, int stretch,
                               Qt::Alignment alignment)
{
    if (before && widget)
        insertWidget(indexOf(before), widget, stretch, alignment);
}

void CHBoxLayout::AddItem(QLayoutItem* item, int stretch)
{
    if (!item)
        return;
    insertItem(-1, item);
    setStretch(count() - 1, stretch);
}

void CHBoxLayout::InsertItem(int index, QLayoutItem* item)
{
    if (item)
        insertItem(index, item);
}

void CHBoxLayout::InsertItem(QWidget* before, QLayoutItem* item, int stretch)
{
    if (!before || !item)
        return;
    const int index = indexOf(before);
    insertItem(index, item);
    setStretch(index < 0 ? count() - 1 : index, stretch);
}

void CHBoxLayout::InsertSpacerItem(QWidget* before, QSpacerItem* spacer)
{
    if (before && spacer)
        insertSpacerItem(indexOf(before), spacer);
}

void CHBoxLayout::AddLayout(QLayout* layout)
{
    if (layout)
        addLayout(layout);
}

void CHBoxLayout::SetLayoutContentsMargins(int left, int top, int right, int bottom)
{
    setContentsMargins(left, top, right, bottom);
}

void CHBoxLayout::SetLayoutSpacing(int spacing)
{
    setSpacing(spacing);
}

int CHBoxLayout::IndexOfItem(QLayoutItem* item) const
{
    return CLayoutFunction::IndexOfItem(this, item);
}

CGridLayout::CGridLayout(QWidget* parent)
    : QGridLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setHorizontalSpacing(6);
}

CGridLayout::~CGridLayout() = default;

void CGridLayout::AddWidget(QWidget* widget)
{
    if (widget)
        addWidget(widget, m_nRow, m_nColumn++);
}

} // namespace TesselGUIToolkit
