#pragma once

// Umbrella header: every public header of the toolkit.

#include "nimbguitoolkit_export.h"

// Core services and process-wide settings
#include "Core/ArbaricSetting.h"
#include "Core/File.h"
#include "Core/IconFontLoader.h"
#include "Core/TemporaryDataManager.h"
#include "Core/UiSingleton.h"
#include "Core/WaitWatcher.h"
#include "Core/WidgetMaximizeManager.h"

// Toolkit services and XML
#include "Core/GenericDS.h"
#include "Core/Toolkit.h"
#include "ItemView/StandardItem.h"

// Buttons and labels
#include "Button/CheckBox.h"
#include "Button/PushButton.h"
#include "Button/ToolButton.h"
#include "Label/Label.h"

// Base widgets
#include "WidgetLayout/AnimLayoutItem.h"
#include "WidgetLayout/GeometryAnimator.h"
#include "Widgets/AutoShader.h"
#include "Widgets/DesktopWidget.h"
#include "Widgets/Dialog.h"
#include "Widgets/Event.h"
#include "Widgets/Frame.h"
#include "Widgets/GUIBaseWidget.h"
#include "Widgets/LayoutFunction.h"
#include "Widgets/MultiPairData.h"
#include "Widgets/StackedWidget.h"
#include "Widgets/Widget.h"
#include "Widgets/WidgetSizeFactory.h"

// Dialogs
#include "Label/MovieLabel.h"
#include "Widgets/BaseDialog.h"
#include "Widgets/BaseDialogWithBottom.h"
#include "Widgets/CancelDialog.h"
#include "Widgets/ChaseDialog.h"
#include "Widgets/FancyTitle.h"
#include "Widgets/MoveRubberBand.h"
#include "Widgets/TitleWidget.h"

// Window layout by division type
#include "WidgetLayout/LayoutElementConfig.h"
#include "WidgetLayout/SplitTypeData.h"
#include "WidgetLayout/WidgetLayoutMgr.h"

// Free layout
#include "WidgetLayout/AnimaWidgetLayoutMgr.h"
#include "WidgetLayout/Drag.h"
#include "WidgetLayout/FileDragFilter.h"
#include "WidgetLayout/InternalWidget.h"
#include "WidgetLayout/SilenceWidget.h"
#include "WidgetLayout/WidgetItem.h"

// Division selector, tool bar and full screen
#include "WidgetLayout/ConfigurableLayoutWidget.h"
#include "WidgetLayout/FullScreenWidget.h"
#include "WidgetLayout/LayoutSwitch.h"
#include "WidgetLayout/ObservedWidget.h"
#include "WidgetLayout/PlayWndToolBar.h"
#include "WidgetLayout/SelectCutNum.h"

// Time line
#include "TimeLine/ChartSeries.h"
#include "TimeLine/ChartView.h"
#include "TimeLine/SingleTimeSlider.h"
#include "TimeLine/TimeSlider.h"

// Multi-channel time line
#include "TimeLine/MultiChartView.h"
#include "TimeLine/MultiTimeSlider.h"
#include "TimeLine/TimeSliderFilterPopup.h"

// Calendar
#include "Calendar/CalendarDelegate.h"
#include "Calendar/CalendarModel.h"
#include "Calendar/CalendarMonthWidget.h"
#include "Calendar/CalendarView.h"
#include "Calendar/CalendarWidget.h"
#include "Calendar/CalendarYearWidget.h"

// Animation progress bar
#include "Widgets/AbstractDelegate.h"
#include "Widgets/AnimationProgressBar.h"

// Qt Designer plugin
#include "Designer/GuiPlugin.h"
#include "Designer/TesselGuiPlugin.h"
