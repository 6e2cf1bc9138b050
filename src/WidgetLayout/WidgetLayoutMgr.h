#pragma once

#include "WidgetLayout/LayoutElementConfig.h"
#include "WidgetLayout/SplitTypeData.h"
#include "nimbguitoolkit_export.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QWidget;

namespace TesselGUIToolkit {

/// Arranges a fixed set of play windows inside one host widget by a numbered division type.
///
/// The geometry of each division comes from layout-description files (see
/// CLayoutElementConfig for the format); the custom divisions 201 to 205 take theirs as text
/// through ReDisplay. Windows are addressed by display index: the i-th window given fills the
/// cells whose id is i until windows are exchanged or inserted. Only "QWidget" cells hold a
/// window: spacer and inert cells are never a window's cell in the queries.
///
/// Ownership: the windows and the host stay the client's; the manager never deletes them, and
/// a window destroyed by the client simply reads as null from then on. The manager owns its
/// descriptions. Each rebuild replaces (deletes) the host's layout.
///
/// Bad input: null windows and unknown indexes give false, null, -1 or no change, as each
/// function says. Cells with negative positions, spans below 1 or reaching beyond 256 rows or
/// columns are left out of the grid; a window already placed by an earlier cell of the same
/// division is not placed twice.
class NIMBGUITOOLKIT_EXPORT CWidgetLayoutMgr : public QObject
{
    Q_OBJECT
public:
    typedef struSplitTypeData::SplitType SplitType;
    typedef struViewWindowType::WindowType WindowType;

    enum Direction { Left = 0, Up = 1, Right = 2, Down = 3 };
    Q_ENUM(Direction)

    /// No host, no descriptions, division 0, maximum window number 64, window type 1 (preview).
    explicit CWidgetLayoutMgr(QObject* parent = nullptr);
    ~CWidgetLayoutMgr() override;

    /// Init with a single description file.
    bool Init(const QString& file, QWidget* host, QList<QWidget*> widgets, SplitType type);
    /// Forgets every description and window, takes `host`, loads `files` in order (a later
    /// description of a type replaces an earlier one) and shows `type` with `widgets`. False at
    /// once for a null host; false with an empty manager when a file cannot be opened (a file
    /// that opens but does not parse adds nothing). Otherwise the result of ResetWidgets.
    bool Init(const QStringList& files, QWidget* host, QList<QWidget*> widgets, SplitType type);
    /// Gives `widgets` the display indexes 0, 1, 2 ... in list order and shows `type`. A null
    /// entry keeps its index as an empty place, so indexes keep matching the client's list. False
    /// without a host or when `type` has no description.
    bool ResetWidgets(QList<QWidget*> widgets, SplitType type);
    /// Appends `w` under the next display index without rebuilding. A null window is ignored.
    void AddWidget(QWidget* w);
    /// Shows `type`. A custom division (201 to 205) takes its geometry from `text` (one
    /// "ElementConfig", see CLayoutElementConfig::ParseSingle); a non-empty text replaces the
    /// description of any type. True at once when `type` is already shown and not maximised
    /// (and, for a custom division, `text` is the text shown).
    bool ReDisplay(SplitType type, const QString& text = QString());
    /// Shows the division chosen by GetLayoutByWndCount for `count` windows of the stored window
    /// type (the map view counts the map among them). Ignored (false) unless 1 <= count <= 64.
    bool SetLayoutByWndCount(int count);
    /// Exchanges the windows at two display indexes and rebuilds. False unless both exist; true
    /// without a rebuild when they are equal.
    bool SwitchDisplay(int indexA, int indexB);
    /// The same by window; a window not found stands for index 0.
    bool SwitchDisplay(QWidget* a, QWidget* b);
    /// Undoes every exchange: index i holds the i-th window given again. False when the current
    /// division cannot be rebuilt.
    bool ResetSwitch();
    /// Puts `w` at display index `index`, moving the windows from there up by one, and shows
    /// `type` (with `useType`) or the current division. An index beyond the last appends.
    /// False (nothing changed) for a null window or a negative index.
    bool InsertWidgetAt(int index, QWidget* w, bool useType = false, SplitType type = 0);
    /// Takes the window at `index` out (neither hidden nor deleted), moving the windows above it
    /// down by one, and shows `type` (with `useType`) or the current division. False when no
    /// index `index` exists.
    bool RemoveWidgetAt(int index, bool useType = false, SplitType type = 0);
    /// Lets `w` alone fill the host. Nothing happens for a window not in the layout, without a
    /// host, or while the one-window division 1 is shown.
    void ShowMaximized(QWidget* w);
    void ShowMaximized(int index);
    /// Brings back the current division after ShowMaximized; nothing happens while division 1
    /// is shown.
    void ShowNormal();
    /// Stored for clients; the layout itself does not limit windows by it.
    void SetMaxWndNum(int count) { m_nMaxWndNum = count; }
    int GetMaxWndNum() const { return m_nMaxWndNum; }
    /// Selects the group maxima that GetLayoutByWndCount uses (1 preview, 2 playback, 3 map).
    void SetSpliteWindowType(WindowType type) { m_nWindowType = type; }
    WindowType GetSpliteWindowType() const { return m_nWindowType; }

    SplitType GetSplitType() const { return m_nSplitType; }
    /// Text of the custom division shown; empty while a file-defined division is shown.
    QString GetXml() const { return m_strLayoutXml; }
    /// Window at a display index; null for an unknown index.
    QWidget* GetWidget(int index) const;
    /// Lowest display index holding `w`; -1 when none does (also for null).
    int IndexOf(QWidget* w) const;
    /// True while one window fills the host and `w` is that (not hidden) window.
    bool Maximized(QWidget* w) const;
    /// Every non-null window in display order.
    void GetAllWidgets(QList<QWidget*>& out) const;
    /// The first windows given, as many as the current division shows (exchanges ignored).
    /// Empty, with a warning, when the current division has no description.
    void GetLayoutWidgets(QList<QWidget*>& out) const;
    /// The windows the current division shows, in display order. Empty, with a warning, when
    /// the current division has no description.
    void GetLayoutVisibleWidgets(QList<QWidget*>& out) const;
    /// Neighbour of `w` in the current division: Left/Right step to the previous/next display
    /// index and wrap around; Up/Down find the window touching its top/bottom edge over its
    /// first column, or stay on `w`. Null when `w` has no cell.
    QWidget* GetWidget(QWidget* w, Direction direction) const;
    /// Spans of w's first cell in the current division; both -1 when it has none. False then.
    bool GetWidgetSpan(QWidget* w, int& rowSpan, int& columnSpan) const;
    /// Spans of the first window cell of `type` with id `index`; both -1 (and false) when none.
    bool GetWidgetSpanByIndex(SplitType type, int index, int& rowSpan, int& columnSpan) const;
    /// Window count of a division; 0 without a description.
    int GetWndCountByType(SplitType type) const;
    /// Grid units a division's cells cover; 0 without a description.
    int GetVirtualWndCountByType(SplitType type) const;
    /// The description of `type`, or null. Owned by the manager; valid until descriptions change.
    const CLayoutElementConfig* GetLayoutElementConfig(SplitType type) const;
    /// Division types of all loaded descriptions, ascending.
    QVector<SplitType> GetLayoutTypes() const;
    /// Parses one "ElementConfig" text, its "Type" included. False (out unchanged) for empty or
    /// malformed text.
    bool GetSingleLayoutElementByXml(CLayoutElementConfig& out, const QString& text) const;

    /// Among all loaded descriptions (ascending type), the one with the fewest windows within
    /// [min, max]; 0 when none or min > max.
    SplitType GetSuitableLayoutType(int min, int max) const;
    /// The same among `candidates`, tried in their order (earliest wins a tie); a candidate
    /// without a description counts 0 windows.
    SplitType GetSuitableLayoutType(int min, int max, QVector<SplitType> candidates) const;
    /// Division for `count` windows in view `view` (1 preview, 2 playback: video table; 3 map:
    /// map table with the map counted), starting from the group of the current division and
    /// using the maxima of the stored window type. 2 for an unknown view.
    SplitType GetLayoutByWndCount(int count, WindowType view) const;
    /// Division for `count` windows moved from view `from` into view `to`; 0 for a pair without a
    /// table and for a negative count.
    static SplitType GetLayoutByWndCount(int count, WindowType from, WindowType to);
    /// Divisions offered for a view, in offering order; `out` is emptied first.
    static void GetSupportSplit(QVector<SplitType>& out, WindowType view);
    /// Group of a division type, 0 to 10.
    static struSplitTypeData::SplitGroupType GetSplitGroupType(SplitType type);
    /// Most windows group `group` shows for the stored window type; 0 when unlisted.
    int GetMaximumWndCountInGroup(struSplitTypeData::SplitGroupType group) const;
    /// The division tables by group; see GetLayoutByWndCount.
    SplitType GetVideoLayoutByWndCountWithinGroup(struSplitTypeData::SplitGroupType group,
                                                  int count) const;
    SplitType GetMapLayoutByWndCountWithinGroup(struSplitTypeData::SplitGroupType group,
                                                int count) const;

    /// Folder of the layout-description files shipped with the library: the folder named by
    /// the environment variable NIMB_LAYOUTS_DIR when set, else the first existing of
    /// <application dir>/../share/NimbGUIToolkit/layouts and <application dir>/layouts. Empty
    /// when none exists.
    static QString DefaultLayoutsFolder();
    /// The "*.xml" files of `folder` (DefaultLayoutsFolder() when empty), sorted by name, as
    /// absolute paths: ready for Init. Empty when the folder does not exist.
    static QStringList DefaultLayoutFiles(const QString& folder = QString());

Q_SIGNALS:
    /// After every successful rebuild, with the division shown and its custom text (if any).
    void SignalWidgetLayoutChanged(int split_type, QString split_xml);
    /// True after a window was maximised, false after ShowNormal.
    void SignalShowMaximized(bool b_maximized);
    /// For clients to relay; the manager does not emit it.
    void SignalShowNormal();

private:
    class Private;

    bool ReLayout(SplitType type);
    void SetHideByWndCount(int count);
    void SetHideExWidget(QWidget* w);
    void ClearAll();

    std::unique_ptr<Private> const d;
    SplitType m_nSplitType = 0;
    QString m_strLayoutXml;
    bool m_bMaximized = false;
    int m_nMaxWndNum = 64;
    WindowType m_nWindowType = struViewWindowType::Preview;
};

} // namespace TesselGUIToolkit
