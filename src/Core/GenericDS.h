#pragma once

#include "nimbguitoolkit_export.h"

#include <QDomDocument>
#include <QDomElement>
#include <QString>

namespace TesselGUIToolkit {

/// Handle onto one element of an XML document. A value type: copies refer to the same nodes, and
/// the tree lives as long as any handle refers to it.
///
/// Every lookup that fails gives a null handle, on which further lookups give null or false
/// again, so a chain of lookups can be tested once at its end (IsNull()).
class NIMBGUITOOLKIT_EXPORT CGenericDS
{
public:
    /// Documents nested deeper than this are refused as malformed: Qt's DOM parses, prints and
    /// frees nodes recursively, and a few hundred kilobytes of open tags would exhaust the stack.
    static constexpr int kMaxDepth = 512;

    /// A null element in an empty document.
    CGenericDS();
    CGenericDS(const CGenericDS& other);
    CGenericDS& operator=(const CGenericDS& other);
    ~CGenericDS();

    /// Parses the file and makes its root element current. False (handle unchanged) for a null
    /// path or a file that cannot be opened; a parse error is not reported (true, null root).
    bool LoadXML(const QString& path);
    /// Parses `xml` and makes its root element current; the parser's verdict. An empty text gives
    /// false and leaves the handle as it was.
    bool PhaseXml(const QString& xml);
    /// The whole document, indented by one space per level.
    QString GetXml() const;
    /// Writes the whole document in the encoding its XML declaration names (GB2312 for documents
    /// built with CreateASRoot; UTF-8 without a declaration). False when the file cannot be
    /// opened for writing.
    bool SaveXML(const QString& path) const;
    /// Starts a document: the declaration naming GB2312, then a root element called `name`,
    /// which becomes current. Meant for a fresh handle. Always true.
    bool CreateASRoot(const QString& name);

    bool IsNull() const { return m_element.isNull(); }
    /// The current element's tag name; empty for a null handle.
    QString GetName() const;
    /// The number of direct element children (text and other nodes are skipped).
    int GetChildrenCount() const;
    /// The direct element child at `index` (elements only, from 0); null when there is none.
    CGenericDS GetChild(int index) const;
    /// The first descendant element called `tag`, in document order, at any depth.
    CGenericDS GetChildByName(const QString& tag) const;
    /// Appends a new element called `tag`; null when this handle is null.
    CGenericDS CreateChild(const QString& tag);
    /// Removes the element GetChildByName(tag) finds when it is a direct child; a deeper one stays.
    /// Always true.
    bool RemoveChild(const QString& tag);
    /// Removes the direct element child at `index`; false when there is none.
    bool RemoveChild(int index);
    /// Replaces the first text child's data, or appends a text node. False for a null handle.
    bool SetValue(const QString& text);
    /// The first text child's data; false (and `out` untouched) when there is no text child.
    bool GetValue(QString& out) const;
    /// The first text child's data, or an empty string.
    QString GetValue() const;
    /// False for a null handle.
    bool SetAttribute(const QString& name, const QString& value);
    /// The attribute's value, or `defaultValue` when it is absent (or the handle is null).
    QString GetAttribute(const QString& name, const QString& defaultValue = QString()) const;

private:
    CGenericDS(const QDomElement& element, const QDomDocument& document);
    /// Parses into the shared document and makes its root current; false for a too deep or
    /// malformed document.
    bool ParseIntoDocument(const QByteArray* bytes, const QString* text);

    QDomElement m_element;
    QDomDocument m_document;
};

} // namespace TesselGUIToolkit
