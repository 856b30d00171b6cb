#pragma once

#include "core/VeltError.h"
#include "kit/Controller.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>

namespace velt {

class FirmwareDownload;
class FlashingStage;

// The last page: shows the chosen version, a status text and a progress bar while the update
// runs, and ends either with a Finish button that quits the application or with an alert and a
// step back to the previous page.
class UpdateProgressViewController : public Controller
{
    Q_OBJECT
    Q_PROPERTY(QScrollArea* infoTextAreaSV READ infoTextAreaSV WRITE setInfoTextAreaSV)
    Q_PROPERTY(QLabel* versionInfoLabel READ versionInfoLabel WRITE setVersionInfoLabel)
    Q_PROPERTY(QProgressBar* progressIndicator READ progressIndicator WRITE setProgressIndicator)
    Q_PROPERTY(QPushButton* button READ button WRITE setButton)

public:
    explicit UpdateProgressViewController(QObject* parent = nullptr);

    // The outlets. Each setter sets its control up: the status text empty, the caption showing
    // the chosen version, the bar at 0, the button hidden. Main thread only.
    QScrollArea* infoTextAreaSV() const { return m_infoTextAreaSV; }
    void setInfoTextAreaSV(QScrollArea* scrollView);
    // The status text: the text view infoTextAreaSV frames.
    QTextEdit* infoTextArea() const { return m_infoTextArea; }
    void setInfoTextArea(QTextEdit* textView);
    QLabel* versionInfoLabel() const { return m_versionInfoLabel; }
    void setVersionInfoLabel(QLabel* label);
    QProgressBar* progressIndicator() const { return m_progressIndicator; }
    void setProgressIndicator(QProgressBar* bar);
    QPushButton* button() const { return m_button; }
    void setButton(QPushButton* button);

    // The caption for a chosen version name: "Caption_VersionInfo" directly followed by the
    // name, or by "?" when no version has been chosen.
    static QString versionCaption(const QString& versionName);

    // Reports a failure: on the main thread, once the current task is done, the status reads
    // "Error_Generic", the alert shows the error's description and, once it is closed, the page
    // goes back. Callable from any thread.
    void showError(const VeltError& error);
    // Reports success: on the main thread, once the current task is done, the status reads
    // "Info_WriteSucceeded" and the button becomes a visible, enabled Finish button that the
    // Return key also presses. Callable from any thread.
    void showWriteSucceeded();

    // The Finish button's action: asks the application to end.
    Q_INVOKABLE void finish();
    // Dismisses this page, which returns to the page below.
    Q_INVOKABLE void goBack();

    // Starts the update; the base class's appearance behaviour is not wanted here.
    void viewDidAppear() override;

    // The downloaded image, every byte in arrival order.
    const QByteArray& buffer() const;

    // Tests only: a shorter pause between a good digest and the start of the flashing than the
    // 5 s the user gets to read "Info_Preparing" (negative: back to 5 s).
    static void setHandoverDelayForTesting(int milliseconds);
    // Tests only: whether the update starts when the page appears (it does by default), for
    // tests of the page's own endings.
    static void setStartsOnAppearanceForTesting(bool starts);

protected:
    // The update itself: download and verify the image, then write it into the device. Runs
    // once per page, when it first appears.
    virtual void startUpdate();

private:
    void setProgress(double value, double maximum);
    void startWriting();

    FirmwareDownload* m_download = nullptr;
    FlashingStage* m_flashing = nullptr;
    bool m_updateStarted = false;

    QPointer<QScrollArea> m_infoTextAreaSV;
    QPointer<QTextEdit> m_infoTextArea;
    QPointer<QLabel> m_versionInfoLabel;
    QPointer<QProgressBar> m_progressIndicator;
    QPointer<QPushButton> m_button;
};

} // namespace velt
