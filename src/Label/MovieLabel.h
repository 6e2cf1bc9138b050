#pragma once

#include "Label/Label.h"
#include "nimbguitoolkit_export.h"

#include <QSize>
#include <QString>

class QMovie;

namespace TesselGUIToolkit {

/// Label that plays an animation (any format QMovie reads, such as GIF) and can show a text in
/// its place, for example a percentage while a task reports progress.
class NIMBGUITOOLKIT_EXPORT CMovieLabel : public CLabel
{
    Q_OBJECT
public:
    explicit CMovieLabel(QWidget* parent = nullptr);
    /// Starts playing `moviePath` at once (see SetMovie()).
    CMovieLabel(const QString& moviePath, const QSize& size, QWidget* parent = nullptr);
    ~CMovieLabel() override;

    /// Plays the animation at `path`, scaled to `size` (an invalid size keeps the animation's
    /// own). A path that does not exist or cannot be read as an animation leaves the label
    /// empty and returns false; no warning is written.
    bool SetMovie(const QString& path, const QSize& size = QSize());
    QString GetMoviePath() const { return m_strMoviePath; }
    /// The animation being played; null when none could be read.
    QMovie* GetMovie() const { return m_pMovie; }

    /// Shows `text` in place of the animation, which pauses meanwhile; an empty text brings the
    /// animation back.
    void ShowText(const QString& text);
    bool IsShowingText() const { return m_bShowText; }

private:
    void ReleaseMovie();

    QMovie* m_pMovie = nullptr;
    QString m_strMoviePath;
    bool m_bShowText = false;
};

} // namespace TesselGUIToolkit
