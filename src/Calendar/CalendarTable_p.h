#pragma once

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>

namespace TesselGUIToolkit {
namespace Detail {

/// The bare grid that the day page and the month picker are drawn on: no headers, scroll bars,
/// grid lines or editing, fixed sections that the owner sizes itself (Qt's font-based minimum
/// section size would overflow the fixed calendar), and hover tracking for the hover look.
inline void SetUpBareTable(QTableView* view)
{
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->verticalHeader()->setMinimumSectionSize(0);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setShowGrid(false);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);
    view->setAutoScroll(false);
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
}

} // namespace Detail
} // namespace TesselGUIToolkit
