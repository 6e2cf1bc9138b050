#pragma once

#include "nimbguitoolkit_export.h"

#include <QList>
#include <QWidget>

#ifdef Q_OS_WIN
struct tagMSG;
typedef struct tagMSG MSG;
#endif

namespace TesselGUIToolkit {

/// Base of the toolkit's plain widgets. A frameless top-level CWidget can be resized by pressing
/// the mouse within `margin` pixels of an edge or corner; the cursor shows the resize direction.
class NIMBGUITOOLKIT_EXPORT CWidget : public QWidget
{
    Q_OBJECT
public:
    /// Windows hit-test codes returned by OnNcHitTest().
    enum HitTestCode : unsigned int {
        HitClient = 1,
        HitLeft = 10,
        HitRight = 11,
        HitTop = 12,
        HitTopLeft = 13,
        HitTopRight = 14,
        HitBottom = 15,
        HitBottomLeft = 16,
        HitBottomRight = 17
    };

    explicit CWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CWidget() override;

    void setResizable(bool resizable);
    bool IsResizable() const { return m_bResizable; }
    /// Width in pixels of the band along each edge in which the mouse resizes the window.
    void setMargin(unsigned int margin);
    unsigned int GetMargin() const { return m_uMargin; }

    /// Hit test of a point in widget coordinates; stores the four edge flags and returns the
    /// Windows hit-test code (corners 13, 14, 16, 17, edges 10, 11, 12, 15, otherwise 1).
    unsigned int OnNcHitTest(unsigned int x, unsigned int y);
    /// Updates the edge flags for a point in widget coordinates and shows the matching cursor
    /// (set only when it differs from the current one).
    void ResetMouseAtWhere(unsigned int x, unsigned int y);

    bool IsOnLeftEdge() const { return m_bLeft; }
    bool IsOnRightEdge() const { return m_bRight; }
    bool IsOnTopEdge() const { return m_bTop; }
    bool IsOnBottomEdge() const { return m_bBottom; }
    /// The cursor shape last chosen by ResetMouseAtWhere() (a Qt::CursorShape).
    int GetCursorShape() const { return m_nCursorShape; }

    /// The Windows system command (SC_SIZE plus the sizing edge, 0xF001 to 0xF008) that
    /// resizes from the border a hit-test code names; 0 for codes outside 10 to 17.
    static unsigned int SizeCommandForHitCode(unsigned int hitCode);
    /// The window edges a hit-test code names; no edge for codes outside 10 to 17.
    static Qt::Edges EdgesForHitCode(unsigned int hitCode);

#ifdef Q_OS_WIN
    /// Handles the native messages that turn presses on the border into system resizing.
    bool winEvent(MSG* message, long* result);
#endif

public Q_SLOTS:
    /// Stretches the widget over every screen that one of its corners touches.
    void OnScreenClicked();

protected:
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, long* result) override;
#else
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
#endif

private:
    bool m_bResizable = true;
    unsigned int m_uMargin = 4;
    bool m_bLeft = false;
    bool m_bRight = false;
    bool m_bTop = false;
    bool m_bBottom = false;
    int m_nCursorShape = Qt::ArrowCursor;
    QList<int> m_listScreenNumber;
};

} // namespace TesselGUIToolkit
