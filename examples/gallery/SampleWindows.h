#pragma once

#include "Widgets/GUIBaseWidget.h"

#include <functional>

namespace TesselGUIToolkit {
class CPlayWndToolBar;
}

/// A play window of the sample client: a drawn camera picture, its channel name, and
/// optionally a tool bar along the bottom edge.
class SampleCameraWindow : public TesselGUIToolkit::CGUIBaseWidget
{
public:
    SampleCameraWindow(int channel, QWidget* parent, bool withToolBar = false);

    int Channel() const { return m_nChannel; }
    /// Called on a double click (the live view maximises and restores with it).
    void SetDoubleClickHandler(std::function<void(SampleCameraWindow*)> handler);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int m_nChannel;
    std::function<void(SampleCameraWindow*)> m_fnDoubleClick;
};

/// Camera names of the sample site, by 1-based channel.
QString SampleChannelName(int channel);
