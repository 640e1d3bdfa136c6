#pragma once

#include "ui/CalculatorDialog.h"

#include <memory>

namespace Ui
{
class CilindricForm;
}

namespace varlo
{

// The calculator for a cylindrical yarn package. Every value lives in the text
// of its entry fields; the window holds nothing else.
class TCilindricForm : public CalculatorDialog
{
    Q_OBJECT

public:
    explicit TCilindricForm(QWidget *parent = nullptr);
    ~TCilindricForm() override;

private:
    void FormCreate();
    void calcButtonClick();

    std::unique_ptr<Ui::CilindricForm> m_ui;
};

} // namespace varlo
