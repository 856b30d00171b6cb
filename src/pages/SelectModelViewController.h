#pragma once

#include "controls/PaddedButton.h"
#include "kit/Controller.h"

#include <QComboBox>
#include <QScrollArea>
#include <QTextEdit>

namespace velt {

// The user picks the device model. The page says how many firmware versions there are for it
// and only with at least one does it enable Next and record the model in targetFirmware().
class SelectModelViewController : public Controller
{
    Q_OBJECT
    Q_PROPERTY(QComboBox* selector READ selector WRITE setSelector)
    Q_PROPERTY(PaddedButton* nextButton READ nextButton WRITE setNextButton)
    Q_PROPERTY(QScrollArea* errorTextAreaSV READ errorTextAreaSV WRITE setErrorTextAreaSV)

public:
    explicit SelectModelViewController(QObject* parent = nullptr);

    QComboBox* selector() const { return m_selector; }
    // Fills the list with the catalogue's models; nothing is selected.
    void setSelector(QComboBox* selector);
    PaddedButton* nextButton() const { return m_nextButton; }
    void setNextButton(PaddedButton* button) { m_nextButton = button; }
    QScrollArea* errorTextAreaSV() const { return m_errorTextAreaSV; }
    void setErrorTextAreaSV(QScrollArea* scrollView);
    // The message area, the text view errorTextAreaSV frames.
    QTextEdit* errorTextArea() const { return m_errorTextArea; }
    void setErrorTextArea(QTextEdit* textView);

    // The combo box's action: the user picked a model.
    Q_INVOKABLE void sourceSelected(QObject* sender);

    void viewDidAppear() override;

private:
    QPointer<QComboBox> m_selector;
    QPointer<PaddedButton> m_nextButton;
    QPointer<QScrollArea> m_errorTextAreaSV;
    QPointer<QTextEdit> m_errorTextArea;
};

} // namespace velt
