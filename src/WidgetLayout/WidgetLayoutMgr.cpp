#include "WidgetLayout/WidgetLayoutMgr.h"

#include "WidgetLayout/WidgetLayoutTables_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QPointer>
#include <QSpacerItem>
#include <QVarLengthArray>
#include <QWidget>

#include <algorithm>
#include <map>

namespace TesselGUIToolkit {

class CWidgetLayoutMgr::Private
{
public:
    // Weak pointers: the windows are the client's, and one it destroys must read as null
    // rather than dangle.
    typedef QPointer<QWidget> WidgetRef;

    QWidget* At(int index) const
    {
        return index >= 0 && index < display.size() ? display.at(index).data() : nullptr;
    }

    const CLayoutElementConfig* Config(int type) const
    {
        const auto found = configs.find(type);
        return found == configs.end() ? nullptr : found->second.get();
    }

    void Store(const CLayoutElementConfig& config)
    {
        configs[config.GetLayoutType()].reset(new CLayoutElementConfig(config));
    }

    /// Display map: index -> window, the order in which windows fill the cells.
    QVector<WidgetRef> display;
    /// The windows in the order they were given; exchanges do not touch it.
    QVector<WidgetRef> widgets;
    QPointer<QWidget> host;
    std::map<int, std::unique_ptr<CLayoutElementConfig>> configs;
};

namespace {

    void DeleteHostLayout(QWidget* host)
    {
        // Deleting a layout leaves its widgets alone: they stay children of the host.
        delete host->layout();
    }

    QGridLayout* NewGrid(QWidget* host)
    {
        auto* grid = new QGridLayout(host);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        return grid;
    }

} // namespace

CWidgetLayoutMgr::CWidgetLayoutMgr(QObject* parent)
    : QObject(parent)
    , d(new Private)
{
}

CWidgetLayoutMgr::~CWidgetLayoutMgr() = default;

void CWidgetLayoutMgr::ClearAll()
{
    d->configs.clear();
    d->display.clear();
    d->widgets.clear();
    m_nSplitType = 0;
    m_strLayoutXml.clear();
    m_bMaximized = false;
}

bool CWidgetLayoutMgr::Init(const QString& file, QWidget* host, QList<QWidget*> widgets,
                            SplitType type)
{
    return Init(QStringList{file}, host, widgets, type);
}

bool CWidgetLayoutMgr::Init(const QStringList& files, QWidget* host, QList<QWidget*> widgets,
                            SplitType type)
{
    if (!host)
        return false;
    ClearAll();
    d->host = host;
    for (const QString& file : files) {
        QVector<CLayoutElementConfig> configs;
        if (!CLayoutElementConfig::LoadDocument(file, configs)) {
            ClearAll();
            d->host = nullptr;
            return false;
        }
        for (const CLayoutElementConfig& config : qAsConst(configs))
            d->Store(config);
    }
    return ResetWidgets(widgets, type);
}

bool CWidgetLayoutMgr::ResetWidgets(QList<QWidget*> widgets, SplitType type)
{
    m_nSplitType = 0;
    d->display.clear();
    d->widgets.clear();
    if (!d->host)
        return false;
    d->display.reserve(widgets.size());
    d->widgets.reserve(widgets.size());
    for (QWidget* w : qAsConst(widgets)) {
        d->display.append(w);
        d->widgets.append(w);
    }
    return ReLayout(type);
}

void CWidgetLayoutMgr::AddWidget(QWidget* w)
{
    if (!w)
        return;
    d->display.append(w);
    d->widgets.append(w);
}

bool CWidgetLayoutMgr::ReDisplay(SplitType type, const QString& text)
{
    const bool custom = struSplitTypeData::IsCustom(type);
    if (type == m_nSplitType && !m_bMaximized) {
        if (!custom) {
            m_strLayoutXml.clear();
            return true;
        }
        if (text == m_strLayoutXml)
            return true;
    }
    m_strLayoutXml = text;
    if (!text.isEmpty()) {
        CLayoutElementConfig config;
        config.SetLayoutType(type);
        // The text's own "Type" is not read: the description is for the type it was given for.
        if (CLayoutElementConfig::ParseSingle(text, config, false))
            d->Store(config);
    }
    return ReLayout(type);
}

bool CWidgetLayoutMgr::SetLayoutByWndCount(int count)
{
    if (count < 1 || count > 64)
        return false;
    const int windows = m_nWindowType == struViewWindowType::Map ? count - 1 : count;
    return ReLayout(GetLayoutByWndCount(windows, m_nWindowType));
}

bool CWidgetLayoutMgr::SwitchDisplay(int indexA, int indexB)
{
    const int size = d->display.size();
    if (indexA < 0 || indexA >= size || indexB < 0 || indexB >= size)
        return false;
    if (indexA == indexB)
        return true;
    std::swap(d->display[indexA], d->display[indexB]);
    return ReLayout(m_nSplitType);
}

bool CWidgetLayoutMgr::SwitchDisplay(QWidget* a, QWidget* b)
{
    return SwitchDisplay(qMax(IndexOf(a), 0), qMax(IndexOf(b), 0));
}

bool CWidgetLayoutMgr::ResetSwitch()
{
    d->display = d->widgets;
    return ReLayout(m_nSplitType);
}

bool CWidgetLayoutMgr::InsertWidgetAt(int index, QWidget* w, bool useType, SplitType type)
{
    if (!w || index < 0)
        return false;
    index = qMin(index, d->display.size());
    d->display.insert(index, w);
    d->widgets.insert(qMin(index, d->widgets.size()), w);
    return ReLayout(useType ? type : m_nSplitType);
}

bool CWidgetLayoutMgr::RemoveWidgetAt(int index, bool useType, SplitType type)
{
    if (index < 0 || index >= d->display.size())
        return false;
    const Private::WidgetRef removed = d->display.at(index);
    const int inList = d->widgets.indexOf(removed);
    if (inList >= 0)
        d->widgets.remove(inList);
    d->display.remove(index);
    return ReLayout(useType ? type : m_nSplitType);
}

void CWidgetLayoutMgr::ShowMaximized(QWidget* w)
{
    if (!w || !d->host || m_nSplitType == struSplitTypeData::SplitOne || IndexOf(w) < 0)
        return;
    DeleteHostLayout(d->host);
    SetHideExWidget(w);
    QGridLayout* grid = NewGrid(d->host);
    grid->addWidget(w, 0, 0);
    w->show();
    m_bMaximized = true;
    Q_EMIT SignalShowMaximized(true);
}

void CWidgetLayoutMgr::ShowMaximized(int index)
{
    if (QWidget* w = GetWidget(index))
        ShowMaximized(w);
}

void CWidgetLayoutMgr::ShowNormal()
{
    if (m_nSplitType == struSplitTypeData::SplitOne)
        return;
    ReDisplay(m_nSplitType, m_strLayoutXml);
    m_bMaximized = false;
    Q_EMIT SignalShowMaximized(false);
}

QWidget* CWidgetLayoutMgr::GetWidget(int index) const
{
    return d->At(index);
}

int CWidgetLayoutMgr::IndexOf(QWidget* w) const
{
    if (!w)
        return -1;
    for (int i = 0; i < d->display.size(); ++i) {
        if (d->display.at(i) == w)
            return i;
    }
    return -1;
}

bool CWidgetLayoutMgr::Maximized(QWidget* w) const
{
    // Hidden-ness rather than isVisible(): a manager whose host is not on screen yet still
    // knows which window it maximised.
    return m_bMaximized && w && !w->isHidden() && IndexOf(w) >= 0;
}

void CWidgetLayoutMgr::GetAllWidgets(QList<QWidget*>& out) const
{
    out.clear();
    for (const Private::WidgetRef& w : qAsConst(d->display)) {
        if (w)
            out.append(w);
    }
}

void CWidgetLayoutMgr::GetLayoutWidgets(QList<QWidget*>& out) const
{
    out.clear();
    const CLayoutElementConfig* config = d->Config(m_nSplitType);
    if (!config) {
        qWarning("CWidgetLayoutMgr::GetLayoutWidgets: pElementConfig == NULL");
        return;
    }
    const int count = qMin(config->WndSize(), d->widgets.size());
    for (int i = 0; i < count; ++i) {
        if (QWidget* w = d->widgets.at(i))
            out.append(w);
    }
}

void CWidgetLayoutMgr::GetLayoutVisibleWidgets(QList<QWidget*>& out) const
{
    out.clear();
    const CLayoutElementConfig* config = d->Config(m_nSplitType);
    if (!config) {
        qWarning("CWidgetLayoutMgr::GetLayoutWidgets: ptr_element_config == NULL");
        return;
    }
    const int count = qMin(config->WndSize(), d->display.size());
    for (int i = 0; i < count; ++i) {
        if (QWidget* w = d->display.at(i))
            out.append(w);
    }
}

QWidget* CWidgetLayoutMgr::GetWidget(QWidget* w, Direction direction) const
{
    const CLayoutElementConfig* config = d->Config(m_nSplitType);
    if (!w || !config)
        return nullptr;
    const QVector<struLayoutElementData>& cells = config->GetElementItems();
    const int from = Detail::FirstWindowCell(cells, [&](int id) { return d->At(id) == w; });
    if (from < 0)
        return nullptr;
    return d->At(Detail::NeighbourIndex(cells, from, direction));
}

bool CWidgetLayoutMgr::GetWidgetSpan(QWidget* w, int& rowSpan, int& columnSpan) const
{
    rowSpan = -1;
    columnSpan = -1;
    const CLayoutElementConfig* config = d->Config(m_nSplitType);
    if (!w || !config)
        return false;
    const QVector<struLayoutElementData>& cells = config->GetElementItems();
    const int cell = Detail::FirstWindowCell(cells, [&](int id) { return d->At(id) == w; });
    if (cell < 0)
        return false;
    rowSpan = cells.at(cell).rowSpan;
    columnSpan = cells.at(cell).columnSpan;
    return true;
}

bool CWidgetLayoutMgr::GetWidgetSpanByIndex(SplitType type, int index, int& rowSpan,
                                            int& columnSpan) const
{
    rowSpan = -1;
    columnSpan = -1;
    const CLayoutElementConfig* config = d->Config(type);
    if (!config)
        return false;
    const QVector<struLayoutElementData>& cells = config->GetElementItems();
    const int cell = Detail::FirstWindowCell(cells, [&](int id) { return id == index; });
    if (cell < 0)
        return false;
    rowSpan = cells.at(cell).rowSpan;
    columnSpan = cells.at(cell).columnSpan;
    return true;
}

int CWidgetLayoutMgr::GetWndCountByType(SplitType type) const
{
    const CLayoutElementConfig* config = d->Config(type);
    return config ? config->WndSize() : 0;
}

int CWidgetLayoutMgr::GetVirtualWndCountByType(SplitType type) const
{
    const CLayoutElementConfig* config = d->Config(type);
    return config ? config->GetLayoutVirtualWndCount() : 0;
}

const CLayoutElementConfig* CWidgetLayoutMgr::GetLayoutElementConfig(SplitType type) const
{
    return d->Config(type);
}

QVector<CWidgetLayoutMgr::SplitType> CWidgetLayoutMgr::GetLayoutTypes() const
{
    QVector<SplitType> types;
    types.reserve(static_cast<int>(d->configs.size()));
    for (const auto& entry : d->configs)
        types.append(entry.first);
    return types;
}

bool CWidgetLayoutMgr::GetSingleLayoutElementByXml(CLayoutElementConfig& out,
                                                   const QString& text) const
{
    return CLayoutElementConfig::ParseSingle(text, out, true);
}

CWidgetLayoutMgr::SplitType CWidgetLayoutMgr::GetSuitableLayoutType(int min, int max) const
{
    return GetSuitableLayoutType(min, max, GetLayoutTypes());
}

CWidgetLayoutMgr::SplitType
CWidgetLayoutMgr::GetSuitableLayoutType(int min, int max, QVector<SplitType> candidates) const
{
    return Detail::SuitableLayoutType(min, max, candidates,
                                      [this](int type) { return GetWndCountByType(type); });
}

CWidgetLayoutMgr::SplitType CWidgetLayoutMgr::GetLayoutByWndCount(int count, WindowType view) const
{
    return Detail::LayoutByWndCount(count, view, m_nSplitType, m_nWindowType);
}

CWidgetLayoutMgr::SplitType CWidgetLayoutMgr::GetLayoutByWndCount(int count, WindowType from,
                                                                  WindowType to)
{
    return Detail::ConvertLayoutByWndCount(count, from, to);
}

void CWidgetLayoutMgr::GetSupportSplit(QVector<SplitType>& out, WindowType view)
{
    out = Detail::SupportSplit(view);
}

struSplitTypeData::SplitGroupType CWidgetLayoutMgr::GetSplitGroupType(SplitType type)
{
    return Detail::SplitGroupOf(type);
}

int CWidgetLayoutMgr::GetMaximumWndCountInGroup(struSplitTypeData::SplitGroupType group) const
{
    return Detail::MaximumWndCountInGroup(group, m_nWindowType);
}

CWidgetLayoutMgr::SplitType
CWidgetLayoutMgr::GetVideoLayoutByWndCountWithinGroup(struSplitTypeData::SplitGroupType group,
                                                      int count) const
{
    return Detail::VideoLayoutByWndCountWithinGroup(group, count, m_nWindowType);
}

CWidgetLayoutMgr::SplitType
CWidgetLayoutMgr::GetMapLayoutByWndCountWithinGroup(struSplitTypeData::SplitGroupType group,
                                                    int count) const
{
    return Detail::MapLayoutByWndCountWithinGroup(group, count, m_nWindowType);
}

QString CWidgetLayoutMgr::DefaultLayoutsFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("NIMB_LAYOUTS_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString applicationDir = QCoreApplication::applicationDirPath();
    if (applicationDir.isEmpty())
        return QString();
    const QStringList candidates{applicationDir
                                     + QStringLiteral("/../share/NimbGUIToolkit/layouts"),
                                 applicationDir + QStringLiteral("/layouts")};
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

QStringList CWidgetLayoutMgr::DefaultLayoutFiles(const QString& folder)
{
    const QString where = folder.isEmpty() ? DefaultLayoutsFolder() : folder;
    QStringList files;
    if (where.isEmpty())
        return files;
    const QDir dir(where);
    if (!dir.exists())
        return files;
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.xml")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& entry : entries)
        files.append(entry.absoluteFilePath());
    return files;
}

void CWidgetLayoutMgr::SetHideByWndCount(int count)
{
    for (int i = 0; i < d->display.size(); ++i) {
        QWidget* w = d->display.at(i);
        if (!w)
            continue;
        // A window without a parent would turn into a top-level window when shown.
        if (i < count && w->parentWidget())
            w->show();
        else
            w->hide();
    }
}

void CWidgetLayoutMgr::SetHideExWidget(QWidget* w)
{
    for (const Private::WidgetRef& other : qAsConst(d->display)) {
        if (other && other != w)
            other->hide();
    }
    if (w)
        w->show();
}

bool CWidgetLayoutMgr::ReLayout(SplitType type)
{
    const CLayoutElementConfig* config = d->Config(type);
    if (!config || !d->host) {
        // Recorded all the same, so that a later ReDisplay with its text completes it.
        if (!config && struSplitTypeData::IsCustom(type))
            m_nSplitType = type;
        return false;
    }
    m_nSplitType = type;
    if (!struSplitTypeData::IsCustom(type))
        m_strLayoutXml.clear();

    QWidget* host = d->host;
    DeleteHostLayout(host);
    SetHideByWndCount(config->WndSize());
    QGridLayout* grid = NewGrid(host);

    // A window appears in a layout once; a second cell for it (a repeated id, or the same
    // window under two indexes) is left empty instead of stealing the first cell's item.
    QVarLengthArray<QWidget*, 64> placed;
    const QVector<struLayoutElementData>& cells = config->GetElementItems();
    for (const struLayoutElementData& cell : cells) {
        const bool window = Detail::IsWindowCell(cell);
        if (!window && cell.type != QLatin1String("QSpacerItem"))
            continue;
        if (window) {
            QWidget* w = d->At(cell.id);
            if (!w)
                break;
            if (!Detail::IsPlaceableCell(cell)
                || std::find(placed.cbegin(), placed.cend(), w) != placed.cend())
                continue;
            placed.append(w);
            grid->addWidget(w, cell.row, cell.column, cell.rowSpan, cell.columnSpan);
            w->show();
        } else if (Detail::IsPlaceableCell(cell)) {
            grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                          cell.row, cell.column, cell.rowSpan, cell.columnSpan);
        }
    }

    const QVector<int> rowStretch = Detail::ParseStretch(config->GetLayoutRowstretch());
    for (int i = 0; i < rowStretch.size(); ++i)
        grid->setRowStretch(i, rowStretch.at(i));
    const QVector<int> columnStretch = Detail::ParseStretch(config->GetLayoutColumnstretch());
    for (int i = 0; i < columnStretch.size(); ++i)
        grid->setColumnStretch(i, columnStretch.at(i));

    m_bMaximized = false;
    Q_EMIT SignalWidgetLayoutChanged(m_nSplitType, m_strLayoutXml);
    return true;
}

} // namespace TesselGUIToolkit
