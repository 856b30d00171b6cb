#pragma once

#include "controls/PaddedButton.h"
#include "kit/Controller.h"

#include <QComboBox>
#include <QScrollArea>
#include <QTextEdit>

namespace velt {

// The user picks one of the firmware versions of the chosen model. The list marks the model's
// original and newest versions and opens with the newest chosen; the page shows the chosen
// version's release date and records it in targetFirmware().
class SelectVersionViewController : public Controller
{
    Q_OBJECT
    // Connected in this order: filling the selector chooses a version at once, which needs the
    // button and the information area.
    Q_PROPERTY(PaddedButton* nextButton READ nextButton WRITE setNextButton)
    Q_PROPERTY(QScrollArea* infoTextAreaSV READ infoTextAreaSV WRITE setInfoTextAreaSV)
    Q_PROPERTY(QComboBox* selector READ selector WRITE setSelector)

public:
    explicit SelectVersionViewController(QObject* parent = nullptr);

    // The item labels for a model's version names, in catalogue order: the first carries the
    // original caption, the last the newest caption, a single version only the original one.
    static QStringList versionLabels(const QStringList& versionNames);

    QComboBox* selector() const { return m_selector; }
    // Fills the list, selects the newest version and handles that choice.
    void setSelector(QComboBox* selector);
    PaddedButton* nextButton() const { return m_nextButton; }
    void setNextButton(PaddedButton* button) { m_nextButton = button; }
    QScrollArea* infoTextAreaSV() const { return m_infoTextAreaSV; }
    void setInfoTextAreaSV(QScrollArea* scrollView);
    // The information area, the text view infoTextAreaSV frames.
    QTextEdit* infoTextArea() const { return m_infoTextArea; }
    void setInfoTextArea(QTextEdit* textView);

    // The combo box's action: the user picked a version (resolved by position, not label).
    Q_INVOKABLE void sourceSelected(QObject* sender);

    void viewDidAppear() override;

private:
    QPointer<QComboBox> m_selector;
    QPointer<PaddedButton> m_nextButton;
    QPointer<QScrollArea> m_infoTextAreaSV;
    QPointer<QTextEdit> m_infoTextArea;
};

} // namespace velt
