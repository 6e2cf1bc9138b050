#include "WidgetLayout/ConfigurableLayoutWidget.h"

#include "WidgetLayout/LayoutElementConfig.h"

#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>

#include <algorithm>

namespace TesselGUIToolkit {

namespace {

    // The drawn rectangle follows the cursor only this far inside the left/top and the
    // right/bottom edges; nearer the border it keeps its last corner instead of running onto
    // the outline of the grid.
    const int kDrawInsetLeadingEdges = 10;
    const int kDrawInsetTrailingEdges = 20;

    int StretchCount(const QString& stretch)
    {
        return stretch.trimmed().isEmpty() ? 0 : stretch.split(QLatin1Char(',')).size();
    }

    QString Ones(int count)
    {
        QStringList ones;
        for (int i = 0; i < count; ++i)
            ones.append(QStringLiteral("1"));
        return ones.join(QLatin1Char(','));
    }

    QDomElement FirstDescendant(const QDomElement& element, const QString& tag)
    {
        return element.elementsByTagName(tag).at(0).toElement();
    }

    void SetChildText(QDomDocument& document, QDomElement& parent, const QString& tag,
                      const QString& text)
    {
        QDomElement child = FirstDescendant(parent, tag);
        if (child.isNull())
            child = parent.appendChild(document.createElement(tag)).toElement();
        while (!child.firstChild().isNull())
            child.removeChild(child.firstChild());
        child.appendChild(document.createTextNode(text));
    }

    bool ByPlace(const CConfigurableLayoutWidget::RectData& a,
                 const CConfigurableLayoutWidget::RectData& b)
    {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    }

} // namespace

CConfigurableLayoutWidget::CConfigurableLayoutWidget(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

CConfigurableLayoutWidget::~CConfigurableLayoutWidget() = default;

bool CConfigurableLayoutWidget::Init(const QString& path)
{
    if (path.isEmpty())
        return false;
    m_strFilePath = path;
    return LoadConfig();
}

bool CConfigurableLayoutWidget::LoadConfig()
{
    QVector<CLayoutElementConfig> configs;
    if (!CLayoutElementConfig::LoadDocument(m_strFilePath, configs))
        return false;
    for (const CLayoutElementConfig& config : qAsConst(configs)) {
        if (!m_strLayoutName.isEmpty() && config.GetLayoutName() != m_strLayoutName)
            continue;
        if (!TakeConfig(config))
            return false;
        m_strLayoutName = config.GetLayoutName();
        return true;
    }
    return false;
}

bool CConfigurableLayoutWidget::LoadLayoutElementConfig(const SplitType& type)
{
    QVector<CLayoutElementConfig> configs;
    if (m_strFilePath.isEmpty() || !CLayoutElementConfig::LoadDocument(m_strFilePath, configs))
        return false;
    // A later description of a type replaces an earlier one, as in the layout manager.
    for (int i = configs.size() - 1; i >= 0; --i) {
        const CLayoutElementConfig& config = configs.at(i);
        if (config.GetLayoutType() != type)
            continue;
        if (!TakeConfig(config))
            return false;
        m_strLayoutName = config.GetLayoutName();
        return true;
    }
    return false;
}

bool CConfigurableLayoutWidget::TakeConfig(const CLayoutElementConfig& config)
{
    const QVector<struLayoutElementData>& cells = config.GetElementItems();
    auto usable = [](const struLayoutElementData& cell) {
        return cell.type == QLatin1String("QWidget") && cell.row >= 0 && cell.column >= 0
            && cell.rowSpan >= 1 && cell.columnSpan >= 1 && cell.row < kMaxGridSide
            && cell.column < kMaxGridSide;
    };

    int rows = StretchCount(config.GetLayoutRowstretch());
    int columns = StretchCount(config.GetLayoutColumnstretch());
    if (rows < 1 || columns < 1) {
        int lastRow = 0;
        int lastColumn = 0;
        for (const struLayoutElementData& cell : cells) {
            if (!usable(cell))
                continue;
            lastRow = qMax(lastRow, cell.row + qMin(cell.rowSpan, kMaxGridSide));
            lastColumn = qMax(lastColumn, cell.column + qMin(cell.columnSpan, kMaxGridSide));
        }
        if (rows < 1)
            rows = lastRow;
        if (columns < 1)
            columns = lastColumn;
    }
    if (rows < 1 || columns < 1 || rows > kMaxGridSide || columns > kMaxGridSide)
        return false;

    QVector<bool> taken(rows * columns, false);
    QVector<RectData> elements;
    for (const struLayoutElementData& cell : cells) {
        if (!usable(cell) || cell.row >= rows || cell.column >= columns)
            continue;
        const int rowSpan = qMin(cell.rowSpan, rows - cell.row);
        const int columnSpan = qMin(cell.columnSpan, columns - cell.column);
        bool free = true;
        for (int r = cell.row; free && r < cell.row + rowSpan; ++r) {
            for (int c = cell.column; free && c < cell.column + columnSpan; ++c)
                free = !taken.at(r * columns + c);
        }
        if (!free)
            continue;
        for (int r = cell.row; r < cell.row + rowSpan; ++r) {
            for (int c = cell.column; c < cell.column + columnSpan; ++c)
                taken[r * columns + c] = true;
        }
        RectData element;
        element.row = cell.row;
        element.column = cell.column;
        element.rowSpan = rowSpan;
        element.columnSpan = columnSpan;
        elements.append(element);
    }

    m_nRows = rows;
    m_nColumns = columns;
    m_vecElements = elements;
    FillHoles();
    UpdateGeometry();
    m_bDrawing = false;
    m_rectDrawn = QRect();
    m_rectHover = QRect();
    m_bModified = false;
    update();
    return true;
}

void CConfigurableLayoutWidget::SetParam(int rows, int columns)
{
    if (rows < 1 || columns < 1 || rows > kMaxGridSide || columns > kMaxGridSide)
        return;
    if (rows == m_nRows && columns == m_nColumns)
        return;
    QVector<RectData> kept;
    for (RectData element : qAsConst(m_vecElements)) {
        if (element.row >= rows || element.column >= columns)
            continue;
        element.rowSpan = qMin(element.rowSpan, rows - element.row);
        element.columnSpan = qMin(element.columnSpan, columns - element.column);
        kept.append(element);
    }
    m_nRows = rows;
    m_nColumns = columns;
    m_vecElements = kept;
    FillHoles();
    UpdateGeometry();
    m_rectHover = QRect();
    m_bModified = true;
    update();
    Q_EMIT SignalStateChanged(true);
}

void CConfigurableLayoutWidget::FillHoles()
{
    QVector<bool> taken(m_nRows * m_nColumns, false);
    for (const RectData& element : qAsConst(m_vecElements)) {
        for (int r = element.row; r < element.row + element.rowSpan; ++r) {
            for (int c = element.column; c < element.column + element.columnSpan; ++c)
                taken[r * m_nColumns + c] = true;
        }
    }
    for (int r = 0; r < m_nRows; ++r) {
        for (int c = 0; c < m_nColumns; ++c) {
            if (taken.at(r * m_nColumns + c))
                continue;
            RectData element;
            element.row = r;
            element.column = c;
            m_vecElements.append(element);
        }
    }
    std::stable_sort(m_vecElements.begin(), m_vecElements.end(), ByPlace);
}

QRect CConfigurableLayoutWidget::CellsToPixels(int row, int column, int rowSpan,
                                               int columnSpan) const
{
    return QRect(column * m_nCellWidth, row * m_nCellHeight, columnSpan * m_nCellWidth,
                 rowSpan * m_nCellHeight);
}

void CConfigurableLayoutWidget::UpdateGeometry()
{
    // One pixel is kept back so that the right and bottom outlines fall inside the widget.
    m_nCellWidth = m_nColumns > 0 ? qMax(0, width() - 1) / m_nColumns : 0;
    m_nCellHeight = m_nRows > 0 ? qMax(0, height() - 1) / m_nRows : 0;
    for (RectData& element : m_vecElements) {
        element.merged = element.rowSpan * element.columnSpan > 1;
        element.rect =
            CellsToPixels(element.row, element.column, element.rowSpan, element.columnSpan);
    }
}

QPoint CConfigurableLayoutWidget::CellAt(const QPoint& point) const
{
    if (m_nCellWidth <= 0 || m_nCellHeight <= 0 || point.x() < 0 || point.y() < 0)
        return QPoint(-1, -1);
    const int column = point.x() / m_nCellWidth;
    const int row = point.y() / m_nCellHeight;
    if (column >= m_nColumns || row >= m_nRows)
        return QPoint(-1, -1);
    return QPoint(column, row);
}

int CConfigurableLayoutWidget::ElementAt(const QPoint& cell) const
{
    for (int i = 0; i < m_vecElements.size(); ++i) {
        const RectData& element = m_vecElements.at(i);
        if (QRect(element.column, element.row, element.columnSpan, element.rowSpan).contains(cell))
            return i;
    }
    return -1;
}

void CConfigurableLayoutWidget::GetLayoutConfigs(QVector<LayoutConfigStruct>& out) const
{
    out.clear();
    out.reserve(m_vecElements.size());
    for (int i = 0; i < m_vecElements.size(); ++i) {
        const RectData& element = m_vecElements.at(i);
        LayoutConfigStruct config;
        config.row = element.row;
        config.column = element.column;
        config.rowSpan = element.rowSpan;
        config.columnSpan = element.columnSpan;
        config.id = i;
        config.merged = element.merged;
        out.append(config);
    }
}

void CConfigurableLayoutWidget::DrawingLogic(const QPoint& releasePoint)
{
    const QPoint first = CellAt(m_ptPress);
    const QPoint last = CellAt(releasePoint);
    m_rectDrawn = QRect();
    if (first.x() < 0 || last.x() < 0) {
        update();
        return;
    }
    if (first == last) {
        const int index = ElementAt(first);
        if (index >= 0)
            Q_EMIT SignalSelectIndex(m_vecElements.at(index).row, m_vecElements.at(index).column);
        update();
        return;
    }

    // In cell units: x is the column, y the row.
    QRect cells(QPoint(qMin(first.x(), last.x()), qMin(first.y(), last.y())),
                QPoint(qMax(first.x(), last.x()), qMax(first.y(), last.y())));
    bool widened = true;
    while (widened) {
        widened = false;
        for (const RectData& element : qAsConst(m_vecElements)) {
            const QRect covered(element.column, element.row, element.columnSpan, element.rowSpan);
            if (covered.intersects(cells) && !cells.contains(covered)) {
                cells |= covered;
                widened = true;
            }
        }
    }

    int removed = 0;
    for (int i = m_vecElements.size() - 1; i >= 0; --i) {
        const RectData& element = m_vecElements.at(i);
        if (QRect(element.column, element.row, element.columnSpan, element.rowSpan)
                .intersects(cells)) {
            m_vecElements.removeAt(i);
            ++removed;
        }
    }
    RectData merged;
    merged.row = cells.top();
    merged.column = cells.left();
    merged.rowSpan = cells.height();
    merged.columnSpan = cells.width();
    m_vecElements.append(merged);
    std::stable_sort(m_vecElements.begin(), m_vecElements.end(), ByPlace);
    UpdateGeometry();
    // Both cells inside one element already merged: the grid is as it was.
    if (removed > 1)
        m_bModified = true;
    update();
    Q_EMIT SignalStateChanged(m_bModified);
}

bool CConfigurableLayoutWidget::Save()
{
    const bool saved = SaveConfig();
    if (saved)
        m_bModified = false;
    Q_EMIT SignalStateChanged(m_bModified);
    return saved;
}

bool CConfigurableLayoutWidget::SaveConfig()
{
    if (m_strFilePath.isEmpty() || m_vecElements.isEmpty())
        return false;
    QDomDocument document;
    {
        QFile file(m_strFilePath);
        if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
            return false;
    }

    const QDomElement root = document.documentElement();
    QDomElement config;
    for (QDomElement child = root.firstChildElement(QStringLiteral("ElementConfig"));
         !child.isNull(); child = child.nextSiblingElement(QStringLiteral("ElementConfig"))) {
        if (FirstDescendant(child, QStringLiteral("Name")).text() == m_strLayoutName) {
            config = child;
            break;
        }
    }
    if (config.isNull())
        return false;

    SetChildText(document, config, QStringLiteral("WndSize"),
                 QString::number(m_vecElements.size()));
    SetChildText(document, config, QStringLiteral("RowStretch"), Ones(m_nRows));
    SetChildText(document, config, QStringLiteral("ColumnStretch"), Ones(m_nColumns));
    QDomElement items = FirstDescendant(config, QStringLiteral("ElementItems"));
    if (items.isNull())
        items = config.appendChild(document.createElement(QStringLiteral("ElementItems")))
                    .toElement();
    while (!items.firstChild().isNull())
        items.removeChild(items.firstChild());
    for (int i = 0; i < m_vecElements.size(); ++i) {
        const RectData& element = m_vecElements.at(i);
        QDomElement cell = document.createElement(QStringLiteral("Element"));
        cell.setAttribute(QStringLiteral("type"), QStringLiteral("QWidget"));
        cell.setAttribute(QStringLiteral("id"), i);
        cell.setAttribute(QStringLiteral("row"), element.row);
        cell.setAttribute(QStringLiteral("column"), element.column);
        cell.setAttribute(QStringLiteral("rowSpan"), element.rowSpan);
        cell.setAttribute(QStringLiteral("columnSpan"), element.columnSpan);
        items.appendChild(cell);
    }

    // The toolkit writes its XML files in GB2312 and says so in the declaration; a Qt without
    // that codec writes UTF-8 under a declaration that says UTF-8 instead.
    QTextCodec* codec = QTextCodec::codecForName("GB2312");
    const QString declaration = QStringLiteral("version=\"1.0\" encoding=\"%1\"")
                                    .arg(codec ? QStringLiteral("GB2312") : QStringLiteral("UTF-8"));
    QDomNode first = document.firstChild();
    if (first.isProcessingInstruction() && first.nodeName() == QLatin1String("xml"))
        first.toProcessingInstruction().setData(declaration);
    else
        document.insertBefore(document.createProcessingInstruction(QStringLiteral("xml"),
                                                                   declaration),
                              first);

    QSaveFile file(m_strFilePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream stream(&file);
    stream.setCodec(codec ? codec : QTextCodec::codecForName("UTF-8"));
    document.save(stream, 0);
    stream.flush();
    return stream.status() == QTextStream::Ok && file.commit();
}

void CConfigurableLayoutWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    int hovered = -1;
    for (int i = 0; hovered < 0 && !m_rectHover.isNull() && i < m_vecElements.size(); ++i) {
        if (m_vecElements.at(i).rect == m_rectHover)
            hovered = i;
    }
    UpdateGeometry();
    m_rectHover = hovered >= 0 ? m_vecElements.at(hovered).rect : QRect();
}

void CConfigurableLayoutWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_bDrawing = true;
    m_ptPress = event->pos();
    m_ptCurrent = event->pos();
    m_rectDrawn = QRect();
    m_rectHover = QRect();
    update();
}

void CConfigurableLayoutWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    if (m_bDrawing) {
        const QRect inner = rect().adjusted(kDrawInsetLeadingEdges, kDrawInsetLeadingEdges,
                                            -kDrawInsetTrailingEdges, -kDrawInsetTrailingEdges);
        if (inner.contains(pos)) {
            m_ptCurrent = pos;
            m_rectDrawn = QRect(m_ptPress, m_ptCurrent).normalized();
            qDebug("%d, %d\n", pos.x(), pos.y());
        }
    } else {
        m_rectHover = QRect();
        for (const RectData& element : qAsConst(m_vecElements)) {
            if (element.rect.contains(pos)) {
                m_rectHover = element.rect;
                break;
            }
        }
    }
    update();
}

void CConfigurableLayoutWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_bDrawing) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_bDrawing = false;
    DrawingLogic(event->pos());
}

void CConfigurableLayoutWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_rectHover = QRect();
    update();
}

void CConfigurableLayoutWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setBrush(Qt::NoBrush);
    const QPen cellPen(Qt::darkGray, 1, Qt::DashDotDotLine);
    const QPen mergedPen(QColor(255, 0, 0), 2, Qt::SolidLine);
    // All red outlines go on top: drawn element by element, the dashes of a later single cell
    // would break the outline of a merged element next to it.
    painter.setPen(cellPen);
    for (const RectData& element : qAsConst(m_vecElements)) {
        if (!element.merged) {
            painter.drawRect(element.rect);
            continue;
        }
        for (int r = element.row; r < element.row + element.rowSpan; ++r) {
            for (int c = element.column; c < element.column + element.columnSpan; ++c)
                painter.drawRect(CellsToPixels(r, c, 1, 1));
        }
    }
    painter.setPen(mergedPen);
    for (const RectData& element : qAsConst(m_vecElements)) {
        if (element.merged)
            painter.drawRect(element.rect);
    }

    if (m_bDrawing) {
        if (!m_rectDrawn.isNull()) {
            painter.setPen(QPen(QColor(0, 255, 0), 1, Qt::DashDotDotLine));
            painter.drawRect(m_rectDrawn);
        }
    } else if (!m_rectHover.isNull()) {
        painter.setPen(QPen(QColor(0, 0, 255), 3, Qt::SolidLine));
        painter.drawRect(m_rectHover);
    }
}

} // namespace TesselGUIToolkit
