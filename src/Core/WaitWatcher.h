#pragma once

#include "Core/UiSingleton.h"
#include "Widgets/ChaseDialog.h"
#include "nimbguitoolkit_export.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <type_traits>
#include <utility>

namespace TesselGUIToolkit {

/// Runs a long task on Qt's global thread pool while a modal busy dialog keeps the user
/// waiting. The task must not touch widgets: it runs on a worker thread.
class NIMBGUITOOLKIT_EXPORT CWaitWatcher : public CUiSingleton<CWaitWatcher>
{
public:
    /// Shows a CChaseDialog over `parent` (its animation `moviePath`, its optional `notice`),
    /// runs `task` on the global thread pool and returns once the task has finished and the
    /// dialog has closed (at the dialog's next 500 ms tick). Returns the task's result, or
    /// nothing for a void task. Call it on the GUI thread.
    template <typename Function>
    auto RunBehindDialog(QWidget* parent, Function task, const QString& moviePath = QString(),
                         const QString& notice = QString()) -> decltype(task())
    {
        using Result = decltype(task());
        CChaseDialog dialog(parent, moviePath, notice, false);
        QFutureWatcher<Result> watcher;
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &dialog,
                         &CChaseDialog::OnStopChaseByAccept);
        QFuture<Result> future = QtConcurrent::run(std::move(task));
        watcher.setFuture(future);
        dialog.exec();
        // The dialog only closes after finished(); waiting here just joins the pool thread.
        future.waitForFinished();
        if constexpr (!std::is_void<Result>::value)
            return future.result();
    }

private:
    friend class CUiSingleton<CWaitWatcher>;
    CWaitWatcher() = default;
    ~CWaitWatcher() override = default;
};

} // namespace TesselGUIToolkit
