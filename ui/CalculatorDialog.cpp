#include "ui/CalculatorDialog.h"

#include "ui/WindowPlacement.h"

#include <QKeyEvent>
#include <QPushButton>

namespace varlo
{

namespace
{

constexpr Qt::WindowFlags DialogFrame = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

bool IsEnterKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

} // namespace

CalculatorDialog::CalculatorDialog(QWidget *parent) : QDialog(parent, DialogFrame)
{
    setSizeGripEnabled(false);
}

void CalculatorDialog::keyPressEvent(QKeyEvent *event)
{
    // Keys reach the window only when the focused control has not used them.
    // QDialog would click its default button on Enter and reject on Esc; these
    // windows have neither, so Enter clicks the focused push button (which Qt
    // leaves to default buttons) and Esc is swallowed.
    if (IsEnterKey(event)) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget());
            button && button->isEnabled())
            button->click();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CalculatorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        CentreOnScreen(this);
    }
}

} // namespace varlo
