#include "pages/DFUSetupInfoViewController.h"

#include "controls/LocalizeControls.h"
#include "ui_DFUSetupPage.h"

namespace velt {

DFUSetupInfoViewController::DFUSetupInfoViewController(QWidget* parent)
    : QWidget(parent), m_ui(new Ui::DFUSetupPage)
{
    m_ui->setupUi(this);
    localizeControls(*this);
    connect(m_ui->nextButton, &QPushButton::clicked, this,
            &DFUSetupInfoViewController::nextRequested);
    connect(m_ui->backButton, &QPushButton::clicked, this,
            &DFUSetupInfoViewController::backRequested);
}

DFUSetupInfoViewController::~DFUSetupInfoViewController() = default;

} // namespace velt
