#pragma once

#include "ui/ErrorReport.h"

#include <QApplication>
#include <QString>

#include <deque>

namespace varlo
{

// The program's identity on the desktop and its error report. Every error a
// handler raises reaches reportError (through ReportError); notify() catches
// whatever still escapes an event handler. The error box is shown from the event
// loop once the event in hand is fully handled, so that an error raised during a
// focus change does not leave the focus half moved; errors raised meanwhile wait
// and are shown one box each, in the order they arose.
class Application : public QApplication, public ErrorSink
{
    Q_OBJECT

public:
    // `argv` carries Qt's own platform options only; the program has none.
    Application(int &argc, char **argv);

    void reportError(std::exception_ptr error) override;
    bool notify(QObject *receiver, QEvent *event) override;

    // Ends the program without asking, as the desktop's session end requires:
    // any open dialog or error box is closed as if cancelled, then every event
    // loop stops and exec() returns 0.
    void endSession();

protected:
    bool event(QEvent *event) override;

private:
    void showPendingErrors();

    std::deque<QString> pendingErrors_;
    bool showingErrors_ = false;
    bool ending_ = false;
};

} // namespace varlo
