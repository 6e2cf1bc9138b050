#pragma once

// Umbrella header: every public header of the toolkit.

#include "nimbguitoolkit_export.h"

// Core services and process-wide settings
#include "Core/ArbaricSetting.h"
#include "Core/File.h"
#include "Core/IconFontLoader.h"
#include "Core/TemporaryDataManager.h"
#include "Core/UiSingleton.h"
#include "Core/WidgetMaximizeManager.h"

// Buttons and labels
#include "Button/CheckBox.h"
#include "Button/PushButton.h"
#include "Button/ToolButton.h"
#include "Label/Label.h"

// Qt Designer plugin
#include "Designer/GuiPlugin.h"
#include "Designer/TesselGuiPlugin.h"
