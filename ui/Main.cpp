#include "ui/Main.h"

#include "ui/Cilindric.h"
#include "ui/Conic.h"
#include "ui/ErrorReport.h"
#include "ui/Fonts.h"
#include "ui_Main.h"

#include <QApplication>
#include <QPointer>

namespace varlo
{

TMainForm::TMainForm(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::MainForm>())
{
    ui->setupUi(this);
    ApplyLayoutFonts(this);
    connect(ui->cilButton, &QAbstractButton::clicked, this, &TMainForm::cilButtonClick);
    connect(ui->conButton, &QAbstractButton::clicked, this, &TMainForm::conButtonClick);
    connect(ui->exitButton, &QAbstractButton::clicked, this, &TMainForm::exitButtonClick);
}

TMainForm::~TMainForm() = default;

void TMainForm::cilButtonClick()
{
    ShowCalculator<TCilindricForm>();
}

void TMainForm::conButtonClick()
{
    ShowCalculator<TConicForm>();
}

void TMainForm::exitButtonClick()
{
    close();
}

// Every opening gets a new window, so no text typed in an earlier one survives.
// The window is destroyed as soon as its modal display ends, however it ended.
template <typename CalculatorForm> void TMainForm::ShowCalculator()
{
    CallReportingErrors([this] {
        const QPointer<QWidget> opener = focusWidget();
        bool calculatorWasActive = false;
        {
            const auto calculator = std::make_unique<CalculatorForm>(this);
            calculator->exec();
            const QWidget *active = QApplication::activeWindow();
            calculatorWasActive = active == nullptr || active == calculator.get();
        }
        // Not every window manager (nor the lack of one) hands the activation
        // back to the owner of a closed dialog; the focus goes back to the button
        // that opened it.
        if (calculatorWasActive) {
            activateWindow();
        }
        if (opener) {
            opener->setFocus(Qt::ActiveWindowFocusReason);
        }
    });
}

} // namespace varlo
