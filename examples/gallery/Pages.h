#pragma once

class QWidget;

// Each page builds itself from realistic sample data; the gallery owns the returned widget.
QWidget* CreateFoundationPage();
QWidget* CreateDialogsPage();
QWidget* CreateLiveViewPage();
QWidget* CreatePlaybackPage();
QWidget* CreateFreeLayoutPage();
