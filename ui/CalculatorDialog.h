#pragma once

#include <QDialog>

namespace varlo
{

// The frame and keyboard the calculator windows share: a fixed dialog frame
// with the close box only, centred on the screen when first shown, with no
// default and no cancel button. Enter clicks a push button only while it has
// the focus, and Esc closes nothing; the close box, Alt+F4 and the window
// menu's Close end the dialog with QDialog::Rejected.
class CalculatorDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CalculatorDialog(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_placed = false;
};

} // namespace varlo
