#include "app/ErrorBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace varlo
{

namespace
{

// A button held down when the error arose is let go without a click, and no
// widget keeps grabbing the mouse behind the box.
void CancelMouseCapture()
{
    if (QWidget *grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    const QList<QWidget *> widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets) {
        if (auto *button = qobject_cast<QAbstractButton *>(widget); button && button->isDown()) {
            button->setDown(false);
        }
    }
}

} // namespace

QString ErrorBoxText(const QString &message)
{
    if (message.isEmpty() || message.back() <= QLatin1Char('.')) {
        return message;
    }
    return message + QLatin1Char('.');
}

QString ErrorMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unexpected error of unknown kind");
    }
}

void ShowErrorBox(const QString &text, QWidget *owner)
{
    CancelMouseCapture();
    // Held by QPointer because its owner could go while the box waits.
    const QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, owner);
    // An error's message can quote what the user typed: never read it as markup.
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

ActiveFocus::ActiveFocus()
    : window_(QApplication::activeWindow()), focus_(window_ ? window_->focusWidget() : nullptr)
{
}

void ActiveFocus::restore() const
{
    if (window_) {
        window_->activateWindow();
        if (focus_) {
            focus_->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
}

} // namespace varlo
