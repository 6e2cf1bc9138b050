#pragma once

#include "Widgets/BaseDialogWithBottom.h"
#include "nimbguitoolkit_export.h"

#include <QString>

class QTimer;

namespace TesselGUIToolkit {
class CLabel;
class CMovieLabel;

/// Busy dialog: a half-transparent black box with an animation ("ptr_movie_label_"), an
/// optional notice ("ptr_notice_label_") and an optional close button ("ptr_close_btn_") that
/// only reports SignalCancel(). The program ends it: a stop request is picked up by a 500 ms
/// poll while the dialog is shown, so requests may come from queued signals of other threads
/// and even before exec() starts.
class NIMBGUITOOLKIT_EXPORT CChaseDialog : public CBaseDialogWithBottom
{
    Q_OBJECT
public:
    /// What the next poll does.
    enum StopState { StopByReject = 0, StopByAccept = 1, Running = 2 };
    Q_ENUM(StopState)

    /// 150 x 120, or 250 x 180 with a notice. A movie that cannot be read leaves the animation
    /// empty.
    CChaseDialog(QWidget* parent, const QString& moviePath, const QString& notice = QString(),
                 bool showClose = false);
    ~CChaseDialog() override;

    /// True keeps the dialog centred over its parent window whenever the parent moves or
    /// resizes; false stops that. Nothing happens without a parent.
    void SetAlwaysAdjustPosition(bool adjust);
    /// Replaces the notice; ignored when the dialog was built without one.
    void SetNotice(const QString& notice);

    int GetStopState() const { return m_nStopState; }
    CMovieLabel* GetMovieLabel() const { return m_pMovieLabel; }
    /// Null when the dialog was built without a notice.
    CLabel* GetNoticeLabel() const { return m_pNoticeLabel; }
    CPushButton* GetChaseCloseBtn() const { return m_pCloseBtn; }

Q_SIGNALS:
    void SignalCancel();

public Q_SLOTS:
    void OnTimeOut();
    /// The dialog accepts at the next poll.
    void OnStopChaseByAccept();
    /// The dialog rejects at the next poll.
    void OnStopChaseByReject();
    /// Accepts at once.
    void OnImmediatelyStopChase();
    /// 0 to 100 shows the value with "%" in place of the animation; other values are ignored.
    void OnSetProgressValue(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceCloseBtn();
    void CentreOverParent();

    int m_nStopState = Running;
    QTimer* m_pTimer = nullptr;
    CMovieLabel* m_pMovieLabel = nullptr;
    CLabel* m_pNoticeLabel = nullptr;
    CPushButton* m_pCloseBtn = nullptr;
    bool m_bAlwaysAdjustPosition = false;
};

} // namespace TesselGUIToolkit
