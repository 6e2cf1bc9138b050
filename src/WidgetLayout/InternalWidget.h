#pragma once

#include "Widgets/GUIBaseWidget.h"
#include "nimbguitoolkit_export.h"

class QLabel;

namespace TesselGUIToolkit {

/// Idle window of the free layout (kind 1000): an empty, transparent window that fills a cell
/// no video window takes and receives what is dropped there. The free-layout manager also
/// uses two of them for the spare space beside its grid. Its label "ptr_label_" stays hidden
/// unless the manager shows tile numbers on idle cells.
class NIMBGUITOOLKIT_EXPORT CInternalWidget : public CGUIBaseWidget
{
    Q_OBJECT
public:
    explicit CInternalWidget(QWidget* parent = nullptr);
    ~CInternalWidget() override;

    int WidgetTypes() const override { return 1000; }

    /// Shows the tile number (as set by the layout) in the label; hides it for false.
    void SetTileNumberVisible(bool visible);
    bool IsTileNumberVisible() const { return m_bTileNumberVisible; }

private Q_SLOTS:
    void OnTileNumberChanged(int newNumber, int oldNumber);

private:
    void UpdateLabel();

    QLabel* ptr_label_ = nullptr;
    bool m_bTileNumberVisible = false;
};

} // namespace TesselGUIToolkit
