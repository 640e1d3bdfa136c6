#include "ui/Conic.h"

#include "ui_Conic.h"

#include "calc/density.h"
#include "ui/ErrorReport.h"
#include "ui/Fonts.h"

namespace varlo
{

TConicForm::TConicForm(QWidget *parent)
    : CalculatorDialog(parent), m_ui(std::make_unique<Ui::ConicForm>())
{
    m_ui->setupUi(this);
    ApplyLayoutFonts(this);
    connect(m_ui->calcButton, &QPushButton::clicked, this, &TConicForm::calcButtonClick);
    FormCreate();
}

TConicForm::~TConicForm() = default;

void TConicForm::FormCreate()
{
    CallReportingErrors([this] {
        m_ui->maxpackEdit->Clear();
        m_ui->minpackEdit->Clear();
        m_ui->travEdit->Clear();
        m_ui->maxdiamEdit->Clear();
        m_ui->mindiamEdit->Clear();
        m_ui->yarnEdit->Clear();
        m_ui->densEdit->Clear();
    });
}

void TConicForm::calcButtonClick()
{
    // An overflow stops the calculation where it arises and leaves the result
    // field as it was.
    CallReportingErrors([this] {
        // Read in the order the volume is formed: the tube first.
        const double maxTubeDiameter = m_ui->maxdiamEdit->numberValue();
        const double minTubeDiameter = m_ui->mindiamEdit->numberValue();
        const double traverse = m_ui->travEdit->numberValue();
        const double maxPackageDiameter = m_ui->maxpackEdit->numberValue();
        const double minPackageDiameter = m_ui->minpackEdit->numberValue();
        const float netVolume = ConicVolume(maxPackageDiameter, minPackageDiameter, traverse,
                                            maxTubeDiameter, minTubeDiameter);
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
