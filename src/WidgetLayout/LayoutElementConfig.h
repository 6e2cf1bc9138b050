#pragma once

#include "Core/GenericDS.h"
#include "WidgetLayout/SplitTypeData.h"
#include "nimbguitoolkit_export.h"

#include <QString>
#include <QVector>

namespace TesselGUIToolkit {

/// One cell of a division: which window (by display index) or spacer covers which grid rows and
/// columns.
struct NIMBGUITOOLKIT_EXPORT struLayoutElementData
{
    /// "QWidget" for a play-window cell, "QSpacerItem" for an empty stretching cell; any other
    /// text makes the cell inert.
    QString type;
    /// Display index of the window shown in the cell; ignored for spacers.
    int id = 0;
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;

    /// Same place and window: id, row, column and both spans equal. The type text is not
    /// compared, so a cell written as "QWidget" matches the same cell read back with any tag.
    bool IsSameCell(const struLayoutElementData& other) const
    {
        return id == other.id && row == other.row && column == other.column
            && rowSpan == other.rowSpan && columnSpan == other.columnSpan;
    }
};

/// The description of one division type: its name, type, window count, row and column stretch
/// factors and its cells in file order. A plain copyable value.
///
/// The XML form is one "ElementConfig" element with the children "Name", "Type", "WndSize",
/// "RowStretch", "ColumnStretch" and "ElementItems" (one child per cell, of any tag, carrying the
/// attributes "type", "id", "row", "column", "rowSpan" and "columnSpan"). Reading never fails
/// on content: missing elements read as empty text or 0, missing or non-numeric attributes as 0.
class NIMBGUITOOLKIT_EXPORT CLayoutElementConfig
{
public:
    typedef struSplitTypeData::SplitType SplitType;

    CLayoutElementConfig() = default;
    CLayoutElementConfig(const CLayoutElementConfig& other) = default;
    CLayoutElementConfig& operator=(const CLayoutElementConfig& other) = default;
    ~CLayoutElementConfig() = default;

    QString GetLayoutName() const { return m_strName; }
    void SetLayoutName(const QString& name) { m_strName = name; }
    SplitType GetLayoutType() const { return m_nType; }
    void SetLayoutType(SplitType type) { m_nType = type; }
    /// Number of play windows the division shows.
    int WndSize() const { return m_nWndSize; }
    void SetWndSize(int size) { m_nWndSize = size; }
    /// Comma-separated integer stretch factors, one per grid row from row 0.
    QString GetLayoutRowstretch() const { return m_strRowStretch; }
    void SetLayoutRowstretch(const QString& stretch) { m_strRowStretch = stretch; }
    /// The same for columns.
    QString GetLayoutColumnstretch() const { return m_strColumnStretch; }
    void SetLayoutColumnstretch(const QString& stretch) { m_strColumnStretch = stretch; }

    const QVector<struLayoutElementData>& GetElementItems() const { return m_vecItems; }
    /// The i-th cell, or null when `index` is out of range. The pointer is valid until the cells
    /// change.
    struLayoutElementData* GetElementItem(unsigned int index);
    const struLayoutElementData* GetElementItem(unsigned int index) const;
    void AddElementItem(const struLayoutElementData& item) { m_vecItems.append(item); }
    /// False (nothing removed) when `index` is out of range.
    bool RemoveElementItem(unsigned int index);
    int Size() const { return m_vecItems.size(); }
    /// Forgets the cells only; name, type, window count and stretches stay.
    void Clear() { m_vecItems.clear(); }

    /// True when some cell is the same cell as `item` (struLayoutElementData::IsSameCell).
    bool Contains(const struLayoutElementData& item) const;
    /// Grid units the cells cover: the sum of rowSpan x columnSpan over all cells, spacers
    /// included. Saturates at INT_MAX instead of overflowing on absurd spans.
    int GetLayoutVirtualWndCount() const;

    /// Replaces every field with what the "ElementConfig" element `element` holds. The "Type"
    /// element is read only when `readType` is true; otherwise the type stays as it was. False
    /// (description unchanged) for a null handle.
    bool ReadFromElement(const CGenericDS& element, bool readType = true);
    /// Appends an "ElementConfig" child describing this division to `parent`; false for a null
    /// parent.
    bool WriteToElement(CGenericDS& parent) const;

    /// Parses `text` whose root's first element child is an "ElementConfig" (the form a custom
    /// division and a single saved description take) into `out`. False, `out` unchanged, for
    /// empty or malformed text or when that child is something else.
    static bool ParseSingle(const QString& text, CLayoutElementConfig& out, bool readType = true);
    /// Every "ElementConfig" direct child of the root of a description document, in document
    /// order (duplicates of a type included; the later one is meant to win). Empty for empty or
    /// malformed text.
    static QVector<CLayoutElementConfig> ParseDocument(const QString& text);
    /// The same for a file. False when the file cannot be opened; a file that opens but does
    /// not parse gives true and no descriptions.
    static bool LoadDocument(const QString& path, QVector<CLayoutElementConfig>& out);

private:
    /// `consume`: the element belongs to a document parsed for this read alone, whose cells
    /// may be taken off as they are read.
    bool Read(const CGenericDS& element, bool readType, bool consume);
    /// Every "ElementConfig" child of `root`, which belongs to a document of our own.
    static QVector<CLayoutElementConfig> ReadRoot(CGenericDS root);

    QString m_strName;
    SplitType m_nType = 0;
    int m_nWndSize = 0;
    QString m_strRowStretch;
    QString m_strColumnStretch;
    QVector<struLayoutElementData> m_vecItems;
};

} // namespace TesselGUIToolkit
