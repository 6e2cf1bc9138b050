#pragma once

#include "Widgets/GUIBaseWidget.h"
#include "nimbguitoolkit_export.h"

class QLabel;
class QPushButton;

namespace TesselGUIToolkit {

/// Silence window of the free layout (kind 1001): a dark cell that keeps its place while no
/// video plays in it. It shows its tile number as two digits ("ptr_title_label_", top left)
/// and a close button ("ptr_close_button_", top right). Drag and drop are allowed; it cannot
/// be selected.
class NIMBGUITOOLKIT_EXPORT CSilenceWidget : public CGUIBaseWidget
{
    Q_OBJECT
public:
    explicit CSilenceWidget(QWidget* parent = nullptr);
    ~CSilenceWidget() override;

    int WidgetTypes() const override { return 1001; }
    /// A grab of the whole window.
    QPixmap GetSnapshot() override;

    void SetCloseButtonVisible(bool visible);
    bool IsCloseButtonVisible() const;

Q_SIGNALS:
    /// The close button was clicked; `i_wnd_id` is the window's display index.
    void SignalSilenceWidgetClosed(int i_wnd_id);

public Q_SLOTS:
    void OnChangeTitleNum(int i_new_number, int i_old_number);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* ptr_title_label_ = nullptr;
    QPushButton* ptr_close_button_ = nullptr;
};

} // namespace TesselGUIToolkit
