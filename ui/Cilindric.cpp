#include "ui/Cilindric.h"

#include "ui_Cilindric.h"

#include "calc/density.h"
#include "ui/ErrorReport.h"
#include "ui/Fonts.h"

namespace varlo
{

TCilindricForm::TCilindricForm(QWidget *parent)
    : CalculatorDialog(parent), m_ui(std::make_unique<Ui::CilindricForm>())
{
    m_ui->setupUi(this);
    ApplyLayoutFonts(this);
    connect(m_ui->calcButton, &QPushButton::clicked, this, &TCilindricForm::calcButtonClick);
    FormCreate();
}

TCilindricForm::~TCilindricForm() = default;

void TCilindricForm::FormCreate()
{
    CallReportingErrors([this] {
        m_ui->packEdit->Clear();
        m_ui->dyeEdit->Clear();
        m_ui->travEdit->Clear();
        m_ui->yarnEdit->Clear();
        m_ui->densEdit->Clear();
    });
}

void TCilindricForm::calcButtonClick()
{
    // An overflow stops the calculation where it arises and leaves the result
    // field as it was.
    CallReportingErrors([this] {
        const double packageDiameter = m_ui->packEdit->numberValue();
        const double tubeDiameter = m_ui->dyeEdit->numberValue();
        const double traverse = m_ui->travEdit->numberValue();
        const float netVolume = CilindricVolume(packageDiameter, tubeDiameter, traverse);
        // Without room for yarn the weight is not even read, so an unreadable
        // weight cannot raise an error then.
        if (!(netVolume > 0.0f)) {
            m_ui->densEdit->Clear();
            return;
        }
        const double yarnWeight = m_ui->yarnEdit->numberValue();
        if (const std::optional<double> density = WindingDensity(yarnWeight, netVolume))
            m_ui->densEdit->setNumberValue(*density);
        else
            m_ui->densEdit->Clear();
    });
}

} // namespace varlo
