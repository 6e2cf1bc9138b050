#pragma once

#include "WidgetLayout/SplitTypeData.h"
#include "nimbguitoolkit_export.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>
#include <QWidget>

namespace TesselGUIToolkit {
class CLayoutElementConfig;

/// Editor on which the user draws a custom division: a grid of cells in which dragging from one
/// cell to another merges the rectangle between them, widened to cover every element it touches,
/// into one window. The result is written into a layout-description file (the "ElementConfig"
/// whose "Name" is the layout name), which CWidgetLayoutMgr reads back.
///
/// The elements always tile the grid: every cell belongs to exactly one element. A click that
/// starts and ends in one cell merges nothing and selects that cell's element
/// (SignalSelectIndex with the element's top-left cell). SignalStateChanged(true) says the grid
/// differs from the file, false that it was just saved.
class NIMBGUITOOLKIT_EXPORT CConfigurableLayoutWidget : public QWidget
{
    Q_OBJECT
public:
    typedef struSplitTypeData::SplitType SplitType;

    /// One element: a unit cell or a merged rectangle of cells.
    struct RectData
    {
        QRect rect; ///< pixels
        bool merged = false; ///< covers more than one cell
        int row = 0;
        int column = 0;
        int rowSpan = 1;
        int columnSpan = 1;
    };

    /// What GetLayoutConfigs() gives out for each element, in row-major order of the top-left
    /// cells; `id` is the display index the element gets in the saved file.
    struct LayoutConfigStruct
    {
        int row = 0;
        int column = 0;
        int rowSpan = 1;
        int columnSpan = 1;
        int id = 0;
        bool merged = false;
    };

    /// Largest number of rows or columns; larger grids are refused as bad input.
    static constexpr int kMaxGridSide = 64;

    explicit CConfigurableLayoutWidget(QWidget* parent = nullptr);
    ~CConfigurableLayoutWidget() override;

    /// False for an empty path; otherwise stores it and loads the description named by the
    /// layout name (the first one of the file when no name is set, whose name is then taken).
    bool Init(const QString& path);
    QString GetFilePath() const { return m_strFilePath; }
    /// Which "ElementConfig" of the file is edited and saved.
    void SetLayoutName(const QString& name) { m_strLayoutName = name; }
    QString GetLayoutName() const { return m_strLayoutName; }

    /// Ignored unless both are 1 to 64. A smaller grid drops the elements that start outside it
    /// and cuts back those that reach beyond it; new cells come as unit elements.
    void SetParam(int rows, int columns);
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nColumns; }

    /// Writes the grid into the description named by the layout name. False, file unchanged,
    /// when the file cannot be read or written or holds no description of that name.
    bool Save();
    /// Takes the cells of the file's description of `type` and its name as the layout name.
    /// False, grid unchanged, when the file has no description of that type.
    bool LoadLayoutElementConfig(const SplitType& type);
    /// Empties `out` and fills it with the elements.
    void GetLayoutConfigs(QVector<LayoutConfigStruct>& out) const;
    /// Pixel size of one cell; 0 x 0 without a grid.
    QSize GetCellSize() const { return QSize(m_nCellWidth, m_nCellHeight); }

Q_SIGNALS:
    void SignalStateChanged(bool bEnabled);
    void SignalSelectIndex(int iRowIndex, int iColumnIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool LoadConfig();
    bool SaveConfig();
    bool TakeConfig(const CLayoutElementConfig& config);
    void DrawingLogic(const QPoint& releasePoint);
    /// The cell (x column, y row) under a point; (-1, -1) outside the grid.
    QPoint CellAt(const QPoint& point) const;
    int ElementAt(const QPoint& cell) const;
    void FillHoles();
    void UpdateGeometry();
    QRect CellsToPixels(int row, int column, int rowSpan, int columnSpan) const;

    int m_nRows = 0;
    int m_nColumns = 0;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    QVector<RectData> m_vecElements;
    QPoint m_ptPress;
    QPoint m_ptCurrent;
    bool m_bDrawing = false;
    QRect m_rectDrawn;
    QRect m_rectHover;
    QString m_strFilePath;
    QString m_strLayoutName;
    bool m_bModified = false;
};

} // namespace TesselGUIToolkit
