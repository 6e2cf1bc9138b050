#include "Widgets/Frame.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>
#include <QVector>

namespace TesselGUIToolkit {

CFrame::CFrame(QWidget* parent, Qt::WindowFlags flags)
    : QFrame(parent, flags)
{
}

CFrame::~CFrame() = default;

void CFrame::ConvertToSpecialString(QString& text, const QFont& font, int width, int maxLines)
{
    if (width < 1 || text.isEmpty())
        return;
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) <= width)
        return;

    // Line starts, so that the elided last line can be taken from the original text.
    QVector<int> starts;
    QStringList lines;
    int start = 0;
    while (start < text.size()) {
        starts.append(start);
        if (metrics.horizontalAdvance(text.mid(start)) <= width) {
            lines.append(text.mid(start));
            break;
        }
        int end = start;
        while (end < text.size()) {
            // a surrogate pair is one character; splitting it would leave two broken halves
            const int step = (text.at(end).isHighSurrogate() && end + 1 < text.size()) ? 2 : 1;
            if (metrics.horizontalAdvance(text.mid(start, end + step - start)) > width)
                break;
            end += step;
        }
        if (end == start) // a single character wider than the line still has to go somewhere
            end += (text.at(start).isHighSurrogate() && start + 1 < text.size()) ? 2 : 1;
        lines.append(text.mid(start, end - start));
        start = end;
    }

    if (maxLines >= 1 && lines.size() > maxLines) {
        const QString rest = text.mid(starts.at(maxLines - 1));
        lines = lines.mid(0, maxLines - 1);
        lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
    }
    text = lines.join(QLatin1Char('\n'));
}

} // namespace TesselGUIToolkit
