#include "Core/GenericDS.h"

#include <QDomText>
#include <QFile>
#include <QTextStream>
#include <QXmlStreamReader>

namespace TesselGUIToolkit {

namespace {

    // A default QDomDocument has no private part until something is created in it, and copies taken
    // before that would not share what is created later; a document with a (null) doctype has one.
    QDomDocument EmptyDocument()
    {
        return QDomDocument(QDomDocumentType());
    }

    // Only the nesting depth is judged here; whether the text is well-formed stays the DOM parser's
    // verdict (its rules differ in details such as undeclared entities).
    bool IsTooDeep(QXmlStreamReader& reader)
    {
        reader.setNamespaceProcessing(false);
        int depth = 0;
        while (!reader.atEnd()) {
            switch (reader.readNext()) {
            case QXmlStreamReader::StartElement:
                if (++depth > CGenericDS::kMaxDepth)
                    return true;
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                break;
            default:
                break;
            }
        }
        return false;
    }

    QDomText FirstTextChild(const QDomElement& element)
    {
        for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
            if (node.isText())
                return node.toText();
        }
        return QDomText();
    }

} // namespace

CGenericDS::CGenericDS()
    : m_document(EmptyDocument())
{
}

CGenericDS::CGenericDS(const QDomElement& element, const QDomDocument& document)
    : m_element(element)
    , m_document(document)
{
}

CGenericDS::CGenericDS(const CGenericDS& other) = default;
CGenericDS& CGenericDS::operator=(const CGenericDS& other) = default;
CGenericDS::~CGenericDS() = default;

bool CGenericDS::ParseIntoDocument(const QByteArray* bytes, const QString* text)
{
    QXmlStreamReader reader;
    if (bytes)
        reader.addData(*bytes);
    else
        reader.addData(*text);
    bool parsed = false;
    if (IsTooDeep(reader)) {
        // Parsing empty text empties the shared document in place, as a failed parse would.
        m_document.setContent(QString());
    } else {
        parsed = bytes ? m_document.setContent(*bytes) : m_document.setContent(*text);
    }
    m_element = m_document.documentElement();
    return parsed;
}

bool CGenericDS::LoadXML(const QString& path)
{
    // QFile warns about an empty name; the answer is the same false.
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // Read as bytes, so that the parser decodes them by the file's own XML declaration.
    const QByteArray bytes = file.readAll();
    file.close();
    ParseIntoDocument(&bytes, nullptr);
    return true;
}

bool CGenericDS::PhaseXml(const QString& xml)
{
    if (xml.isEmpty())
        return false;
    return ParseIntoDocument(nullptr, &xml);
}

QString CGenericDS::GetXml() const
{
    return m_document.toString(1);
}

bool CGenericDS::SaveXML(const QString& path) const
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return false;
    QTextStream stream(&file);
    stream.setCodec("GB2312");
    // EncodingFromDocument lets the declaration choose the codec (Qt falls back to UTF-8 when
    // there is none), so the bytes always match what the file says about itself.
    m_document.save(stream, 0, QDomNode::EncodingFromDocument);
    stream.flush();
    file.close();
    return true;
}

bool CGenericDS::CreateASRoot(const QString& name)
{
    m_document.appendChild(m_document.createProcessingInstruction(
        QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"GB2312\"")));
    QDomElement root = m_document.createElement(name);
    m_document.appendChild(root);
    m_element = root;
    return true;
}

QString CGenericDS::GetName() const
{
    return m_element.tagName();
}

int CGenericDS::GetChildrenCount() const
{
    int count = 0;
    for (QDomElement child = m_element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        ++count;
    return count;
}

CGenericDS CGenericDS::GetChild(int index) const
{
    if (index >= 0) {
        int position = 0;
        for (QDomElement child = m_element.firstChildElement(); !child.isNull();
             child = child.nextSiblingElement(), ++position) {
            if (position == index)
                return CGenericDS(child, m_document);
        }
    }
    return CGenericDS();
}

CGenericDS CGenericDS::GetChildByName(const QString& tag) const
{
    // Walked without recursion, in document order, stopping at the first match.
    QDomNode node = m_element.firstChild();
    while (!node.isNull()) {
        if (node.isElement() && node.toElement().tagName() == tag)
            return CGenericDS(node.toElement(), m_document);
        if (node.hasChildNodes()) {
            node = node.firstChild();
            continue;
        }
        while (!node.isNull() && node != m_element && node.nextSibling().isNull())
            node = node.parentNode();
        if (node.isNull() || node == m_element)
            break;
        node = node.nextSibling();
    }
    return CGenericDS();
}

CGenericDS CGenericDS::CreateChild(const QString& tag)
{
    if (m_element.isNull())
        return CGenericDS();
    QDomElement child = m_document.createElement(tag);
    m_element.appendChild(child);
    return CGenericDS(child, m_document);
}

bool CGenericDS::RemoveChild(const QString& tag)
{
    const CGenericDS found = GetChildByName(tag);
    // QDomNode::removeChild leaves the tree alone when the node is not a direct child.
    if (!found.m_element.isNull())
        m_element.removeChild(found.m_element);
    return true;
}

bool CGenericDS::RemoveChild(int index)
{
    const CGenericDS child = GetChild(index);
    if (child.m_element.isNull())
        return false;
    m_element.removeChild(child.m_element);
    return true;
}

bool CGenericDS::SetValue(const QString& text)
{
    if (m_element.isNull())
        return false;
    QDomText textNode = FirstTextChild(m_element);
    if (!textNode.isNull())
        textNode.setData(text);
    else
        m_element.appendChild(m_document.createTextNode(text));
    return true;
}

bool CGenericDS::GetValue(QString& out) const
{
    const QDomText textNode = FirstTextChild(m_element);
    if (textNode.isNull())
        return false;
    out = textNode.data();
    return true;
}

QString CGenericDS::GetValue() const
{
    QString value;
    GetValue(value);
    return value;
}

bool CGenericDS::SetAttribute(const QString& name, const QString& value)
{
    if (m_element.isNull())
        return false;
    m_element.setAttribute(name, value);
    return true;
}

QString CGenericDS::GetAttribute(const QString& name, const QString& defaultValue) const
{
    return m_element.attribute(name, defaultValue);
}

} // namespace TesselGUIToolkit
