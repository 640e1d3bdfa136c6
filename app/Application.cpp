#include "app/Application.h"

#include "app/ErrorBox.h"
#include "app/LocaleSeparators.h"

#include <QDialog>
#include <QEvent>
#include <QIcon>
#include <QScopeGuard>
#include <QSessionManager>
#include <QWidget>

namespace varlo
{

namespace
{

const char *const ApplicationTitle = "Varlo Calculator";
// The freedesktop name of the program: its .desktop file and its themed icon.
const char *const DesktopName = "varlo-calculator";

} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // The title goes into the application name, not the display name: Qt on X11
    // appends a display name to every window caption.
    setApplicationName(QString::fromLatin1(ApplicationTitle));
    setDesktopFileName(QString::fromLatin1(DesktopName));
    setWindowIcon(QIcon(QStringLiteral(":/assets/varlo.ico")));
    ReadSystemSeparators();

#if QT_CONFIG(sessionmanager)
    connect(this, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { endSession(); });
#endif
}

void Application::reportError(std::exception_ptr error)
{
    pendingErrors_.push_back(ErrorBoxText(ErrorMessage(std::move(error))));
    QMetaObject::invokeMethod(this, &Application::showPendingErrors, Qt::QueuedConnection);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportError(std::current_exception());
        return false;
    }
}

void Application::endSession()
{
    ending_ = true;
    pendingErrors_.clear();
    const QList<QWidget *> windows = topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible()) {
            dialog->reject();
        }
    }
    exit(0);
}

bool Application::event(QEvent *event)
{
    if (event->type() == QEvent::LocaleChange) {
        ReadSystemSeparators();
    }
    return QApplication::event(event);
}

// Each report queues one call; the first call shows every waiting error in turn,
// and the calls that come while a box is open find nothing left to show. The
// window that was active before the first box owns them all and gets the
// activation back after the last: between two boxes the desktop may not yet
// have handed it back.
void Application::showPendingErrors()
{
    if (showingErrors_ || pendingErrors_.empty()) {
        return;
    }
    showingErrors_ = true;
    const auto done = qScopeGuard([this] { showingErrors_ = false; });
    const ActiveFocus before;
    while (!pendingErrors_.empty() && !ending_) {
        const QString text = pendingErrors_.front();
        pendingErrors_.pop_front();
        ShowErrorBox(text, before.window());
    }
    if (!ending_) {
        before.restore();
    }
}

} // namespace varlo
