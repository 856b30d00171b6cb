#pragma once

#include "controls/PaddedButton.h"
#include "kit/Controller.h"

namespace velt {

// Tells the user how to put the device into DFU mode and connect it. Its Next button runs the
// layout's segue to the update page; it has no logic of its own.
class DFUSetupInfoViewController : public Controller
{
    Q_OBJECT
    Q_PROPERTY(PaddedButton* nextButton READ nextButton WRITE setNextButton)

public:
    explicit DFUSetupInfoViewController(QObject* parent = nullptr);

    PaddedButton* nextButton() const { return m_nextButton; }
    void setNextButton(PaddedButton* button) { m_nextButton = button; }

private:
    QPointer<PaddedButton> m_nextButton;
};

} // namespace velt
