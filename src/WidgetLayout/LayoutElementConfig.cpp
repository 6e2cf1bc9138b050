#include "WidgetLayout/LayoutElementConfig.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <climits>

namespace TesselGUIToolkit {

namespace {

    const QString kElementConfig = QStringLiteral("ElementConfig");

    // Missing and non-numeric text both read as 0: description files are hand-edited, and one bad
    // number should cost one cell its place, not the whole description.
    int ToIntOrZero(const QString& text)
    {
        bool ok = false;
        const int value = text.toInt(&ok, 10);
        return ok ? value : 0;
    }

    int AttributeInt(const CGenericDS& element, const QString& name)
    {
        return ToIntOrZero(element.GetAttribute(name));
    }

    QString ChildText(const CGenericDS& element, const QString& tag)
    {
        const CGenericDS child = element.GetChildByName(tag);
        return child.IsNull() ? QString() : child.GetValue();
    }

} // namespace

struLayoutElementData* CLayoutElementConfig::GetElementItem(unsigned int index)
{
    if (index >= static_cast<unsigned int>(m_vecItems.size()))
        return nullptr;
    return &m_vecItems[static_cast<int>(index)];
}

const struLayoutElementData* CLayoutElementConfig::GetElementItem(unsigned int index) const
{
    if (index >= static_cast<unsigned int>(m_vecItems.size()))
        return nullptr;
    return &m_vecItems.at(static_cast<int>(index));
}

bool CLayoutElementConfig::RemoveElementItem(unsigned int index)
{
    if (index >= static_cast<unsigned int>(m_vecItems.size()))
        return false;
    m_vecItems.remove(static_cast<int>(index));
    return true;
}

bool CLayoutElementConfig::Contains(const struLayoutElementData& item) const
{
    for (const struLayoutElementData& cell : m_vecItems) {
        if (cell.IsSameCell(item))
            return true;
    }
    return false;
}

int CLayoutElementConfig::GetLayoutVirtualWndCount() const
{
    // Spans come straight from files; 64-bit sums keep absurd ones from wrapping into a
    // plausible small count.
    long long total = 0;
    for (const struLayoutElementData& cell : m_vecItems) {
        total += static_cast<long long>(cell.rowSpan) * static_cast<long long>(cell.columnSpan);
        if (total > INT_MAX)
            return INT_MAX;
        if (total < INT_MIN)
            total = INT_MIN;
    }
    return static_cast<int>(total);
}

namespace {

    struLayoutElementData ReadCell(const CGenericDS& cellElement)
    {
        struLayoutElementData cell;
        cell.type = cellElement.GetAttribute(QStringLiteral("type"));
        cell.id = AttributeInt(cellElement, QStringLiteral("id"));
        cell.row = AttributeInt(cellElement, QStringLiteral("row"));
        cell.column = AttributeInt(cellElement, QStringLiteral("column"));
        cell.rowSpan = AttributeInt(cellElement, QStringLiteral("rowSpan"));
        cell.columnSpan = AttributeInt(cellElement, QStringLiteral("columnSpan"));
        return cell;
    }

} // namespace

bool CLayoutElementConfig::ReadFromElement(const CGenericDS& element, bool readType)
{
    return Read(element, readType, false);
}

bool CLayoutElementConfig::Read(const CGenericDS& element, bool readType, bool consume)
{
    if (element.IsNull())
        return false;
    m_strName = ChildText(element, QStringLiteral("Name"));
    if (readType)
        m_nType = ToIntOrZero(ChildText(element, QStringLiteral("Type")));
    m_nWndSize = ToIntOrZero(ChildText(element, QStringLiteral("WndSize")));
    m_strRowStretch = ChildText(element, QStringLiteral("RowStretch"));
    m_strColumnStretch = ChildText(element, QStringLiteral("ColumnStretch"));
    m_vecItems.clear();

    CGenericDS items = element.GetChildByName(QStringLiteral("ElementItems"));
    if (items.IsNull())
        return true;
    const int count = items.GetChildrenCount();
    m_vecItems.reserve(count);
    if (consume) {
        // GetChild(i) walks i siblings; on a document of our own, taking the first child off
        // each time keeps a description of thousands of cells linear.
        for (int i = 0; i < count; ++i) {
            m_vecItems.append(ReadCell(items.GetChild(0)));
            items.RemoveChild(0);
        }
    } else {
        for (int i = 0; i < count; ++i)
            m_vecItems.append(ReadCell(items.GetChild(i)));
    }
    return true;
}

bool CLayoutElementConfig::WriteToElement(CGenericDS& parent) const
{
    if (parent.IsNull())
        return false;
    CGenericDS config = parent.CreateChild(kElementConfig);
    config.CreateChild(QStringLiteral("Name")).SetValue(m_strName);
    config.CreateChild(QStringLiteral("Type")).SetValue(QString::number(m_nType));
    config.CreateChild(QStringLiteral("WndSize")).SetValue(QString::number(m_nWndSize));
    config.CreateChild(QStringLiteral("RowStretch")).SetValue(m_strRowStretch);
    config.CreateChild(QStringLiteral("ColumnStretch")).SetValue(m_strColumnStretch);
    CGenericDS items = config.CreateChild(QStringLiteral("ElementItems"));
    for (const struLayoutElementData& cell : m_vecItems) {
        CGenericDS element = items.CreateChild(QStringLiteral("Element"));
        element.SetAttribute(QStringLiteral("type"), cell.type);
        element.SetAttribute(QStringLiteral("id"), QString::number(cell.id));
        element.SetAttribute(QStringLiteral("row"), QString::number(cell.row));
        element.SetAttribute(QStringLiteral("column"), QString::number(cell.column));
        element.SetAttribute(QStringLiteral("rowSpan"), QString::number(cell.rowSpan));
        element.SetAttribute(QStringLiteral("columnSpan"), QString::number(cell.columnSpan));
    }
    return true;
}

bool CLayoutElementConfig::ParseSingle(const QString& text, CLayoutElementConfig& out,
                                       bool readType)
{
    CGenericDS document;
    if (!document.PhaseXml(text) || document.IsNull())
        return false;
    const CGenericDS first = document.GetChild(0);
    if (first.IsNull() || first.GetName() != kElementConfig)
        return false;
    CLayoutElementConfig parsed;
    parsed.m_nType = out.m_nType;
    parsed.Read(first, readType, true);
    out = parsed;
    return true;
}

QVector<CLayoutElementConfig> CLayoutElementConfig::ReadRoot(CGenericDS root)
{
    QVector<CLayoutElementConfig> result;
    if (root.IsNull())
        return result;
    const int count = root.GetChildrenCount();
    for (int i = 0; i < count; ++i) {
        // The document is ours alone: consumed as it is read, for the same reason as the cells.
        const CGenericDS child = root.GetChild(0);
        if (child.GetName() == kElementConfig) {
            CLayoutElementConfig config;
            config.Read(child, true, true);
            result.append(config);
        }
        root.RemoveChild(0);
    }
    return result;
}

QVector<CLayoutElementConfig> CLayoutElementConfig::ParseDocument(const QString& text)
{
    CGenericDS document;
    if (!document.PhaseXml(text))
        return {};
    return ReadRoot(document);
}

bool CLayoutElementConfig::LoadDocument(const QString& path, QVector<CLayoutElementConfig>& out)
{
    out.clear();
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The DOM keeps whatever it built before a parse error, so a truncated file would give
    // half a description; check the whole file first. The stream reader decodes the bytes by
    // their own XML declaration, as the DOM does.
    QXmlStreamReader check(&file);
    while (!check.atEnd())
        check.readNext();
    if (check.hasError())
        return true;
    file.close();
    CGenericDS document;
    if (!document.LoadXML(path))
        return false;
    out = ReadRoot(document);
    return true;
}

} // namespace TesselGUIToolkit
