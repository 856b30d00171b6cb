#pragma once

#include "controls/PaddedButton.h"
#include "kit/Controller.h"

namespace velt {

// The first page: loads the firmware catalogue each time it appears and lets the user go on
// once it has been read; without a catalogue the application ends (after the alert the
// catalogue's load has shown).
class IntroViewController : public Controller
{
    Q_OBJECT
    Q_PROPERTY(PaddedButton* nextButton READ nextButton WRITE setNextButton)

public:
    explicit IntroViewController(QObject* parent = nullptr);

    PaddedButton* nextButton() const { return m_nextButton; }
    void setNextButton(PaddedButton* button) { m_nextButton = button; }

    void viewDidAppear() override;

private:
    QPointer<PaddedButton> m_nextButton;
};

} // namespace velt
