#pragma once

#include "nimbguitoolkit_export.h"

namespace TesselGUIToolkit {

/// Division types and their groups. Both travel as plain ints through every interface, so the
/// holder only gives them a name and a few landmarks; the full numbering lives in the tables of
/// CWidgetLayoutMgr.
struct NIMBGUITOOLKIT_EXPORT struSplitTypeData
{
    /// A division type number; 0 stands for "none" in results.
    typedef int SplitType;
    /// The group of a division type, 0 (none) to 10.
    typedef int SplitGroupType;

    enum : int {
        SplitNone = 0,
        /// The one-window division; maximising is pointless there and is refused.
        SplitOne = 1,
        /// A free layout (the animated grid), which no description file defines.
        SplitFree = 200,
        /// Custom divisions: their geometry arrives as text from the client.
        SplitCustomFirst = 201,
        SplitCustomLast = 205,
    };

    enum : int {
        GroupNone = 0,
        GroupFirst = 1,
        GroupCustom = 5,
        GroupLast = 10,
    };

    /// True for the custom divisions 201 to 205.
    static constexpr bool IsCustom(SplitType type)
    {
        return type >= SplitCustomFirst && type <= SplitCustomLast;
    }
};

/// The kind of view a layout manager serves. A plain int; any value but the three is unknown.
struct NIMBGUITOOLKIT_EXPORT struViewWindowType
{
    typedef int WindowType;

    enum : int {
        Preview = 1, ///< live view
        Playback = 2,
        Map = 3, ///< a map view whose layouts keep one cell for the map
    };
};

} // namespace TesselGUIToolkit
