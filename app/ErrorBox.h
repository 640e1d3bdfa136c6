#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <exception>

namespace varlo
{

// The text the error box shows for an error's message: the message with a "."
// appended, unless it is empty or already ends with "." or with a character
// that comes before "." in character-code order (" ", "!", ")", ",", "-").
QString ErrorBoxText(const QString &message);

// The message an error carries: what() as UTF-8 for a standard exception.
QString ErrorMessage(std::exception_ptr error);

// Shows `text` in the desktop's message box with the stop icon and a single OK
// button, captioned with the application's title, and waits for the user. The
// box belongs to `owner` (the window that was active, if any) and opens on its
// monitor; every window of the program is disabled meanwhile.
void ShowErrorBox(const QString &text, QWidget *owner);

// The active window and its focused control, to be given back once a box that
// took the activation has gone.
class ActiveFocus
{
public:
    ActiveFocus();
    QWidget *window() const { return window_; }
    void restore() const;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

} // namespace varlo
