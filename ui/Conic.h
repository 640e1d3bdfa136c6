#pragma once

#include "ui/CalculatorDialog.h"

#include <memory>

namespace Ui
{
class ConicForm;
}

namespace varlo
{

// The calculator for a conical yarn package wound on a conical dye tube. Every
// value lives in the text of its entry fields; the window holds nothing else.
class TConicForm : public CalculatorDialog
{
    Q_OBJECT

public:
    explicit TConicForm(QWidget *parent = nullptr);
    ~TConicForm() override;

private:
    void FormCreate();
    void calcButtonClick();

    std::unique_ptr<Ui::ConicForm> m_ui;
};

} // namespace varlo
