#pragma once

#include <QWidget>

#include <memory>

namespace Ui
{
class MainForm;
}

namespace varlo
{

// The program's first window: the letterhead banner and the buttons that open
// the two calculators and end the program. It holds no data of its own; each
// calculator is a fresh modal dialog that lives for one opening only.
class TMainForm : public QWidget
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    void cilButtonClick();
    void conButtonClick();
    void exitButtonClick();

private:
    template <typename CalculatorForm> void ShowCalculator();

    std::unique_ptr<Ui::MainForm> ui;
};

} // namespace varlo
