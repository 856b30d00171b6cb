#include "pages/UpdateProgressViewController.h"

#include "app/AppDelegate.h"
#include "catalogue/TargetFirmware.h"
#include "core/Alert.h"
#include "core/Localization.h"
#include "kit/Termination.h"
#include "pages/DocumentTextView.h"
#include "update/FirmwareDownload.h"
#include "update/FlashingStage.h"

#include <QTimer>
#include <cmath>
#include <limits>

namespace velt {
namespace {

constexpr int defaultHandoverDelayMs = 5000;
int handoverDelayMs = defaultHandoverDelayMs;
bool startsOnAppearance = true;

} // namespace

UpdateProgressViewController::UpdateProgressViewController(QObject* parent) : Controller(parent) {}

void UpdateProgressViewController::setHandoverDelayForTesting(int milliseconds)
{
    handoverDelayMs = milliseconds >= 0 ? milliseconds : defaultHandoverDelayMs;
}

void UpdateProgressViewController::setStartsOnAppearanceForTesting(bool starts)
{
    startsOnAppearance = starts;
}

const QByteArray& UpdateProgressViewController::buffer() const
{
    static const QByteArray none;
    return m_download ? m_download->buffer() : none;
}

void UpdateProgressViewController::setInfoTextAreaSV(QScrollArea* scrollView)
{
    m_infoTextAreaSV = scrollView;
    setInfoTextArea(documentTextView(scrollView));
}

void UpdateProgressViewController::setInfoTextArea(QTextEdit* textView)
{
    m_infoTextArea = textView;
    if (m_infoTextArea)
        m_infoTextArea->setPlainText(QString());
}

QString UpdateProgressViewController::versionCaption(const QString& versionName)
{
    // Any separator belongs to the localized caption.
    return localizedString("Caption_VersionInfo") +
           (versionName.isEmpty() ? QStringLiteral("?") : versionName);
}

void UpdateProgressViewController::setVersionInfoLabel(QLabel* label)
{
    m_versionInfoLabel = label;
    if (!m_versionInfoLabel)
        return;
    const auto& version = targetFirmware().firmwareVersion;
    m_versionInfoLabel->setText(versionCaption(version ? version->name : QString()));
}

void UpdateProgressViewController::setProgressIndicator(QProgressBar* bar)
{
    m_progressIndicator = bar;
    if (m_progressIndicator)
        m_progressIndicator->setValue(0);
}

void UpdateProgressViewController::setButton(QPushButton* button)
{
    m_button = button;
    if (m_button)
        m_button->hide();
}

void UpdateProgressViewController::showError(const VeltError& error)
{
    // The queued task keeps the page alive: it may be reported from a background thread while
    // the page is being taken off the stack.
    QMetaObject::invokeMethod(
        this,
        [this, keep = sharedFromThis(), error] {
            if (m_infoTextArea)
                m_infoTextArea->setPlainText(localizedString("Error_Generic"));
            presentAlert(error);
            goBack();
        },
        Qt::QueuedConnection);
}

void UpdateProgressViewController::showWriteSucceeded()
{
    QMetaObject::invokeMethod(
        this,
        [this, keep = sharedFromThis()] {
            if (!m_button)
                return;
            m_button->show();
            m_button->setEnabled(true);
            if (m_infoTextArea)
                m_infoTextArea->setPlainText(localizedString("Info_WriteSucceeded"));
            m_button->setText(localizedString("ButtonCaption_Finish"));
            m_button->setDefault(true);
            setDefaultButton(m_button);
            m_button->setFocus(Qt::OtherFocusReason);
            disconnect(m_button, &QAbstractButton::clicked, this, nullptr);
            connect(m_button, &QAbstractButton::clicked, this,
                    &UpdateProgressViewController::finish);
        },
        Qt::QueuedConnection);
}

void UpdateProgressViewController::finish()
{
    requestTermination();
}

void UpdateProgressViewController::goBack()
{
    dismiss(this);
}

void UpdateProgressViewController::viewDidAppear()
{
    if (startsOnAppearance)
        startUpdate();
}

void UpdateProgressViewController::startUpdate()
{
    // A page downloads once; showing it again (after a minimised window, say) starts nothing.
    if (m_updateStarted)
        return;
    m_updateStarted = true;

    if (m_infoTextArea)
        m_infoTextArea->setPlainText(localizedString("Info_DownloadingFirmwareFromServer"));
    m_download = new FirmwareDownload(this);
    connect(m_download, &FirmwareDownload::progressMaximumChanged, this, [this](qint64 maximum) {
        // An unknown length shows the bar's busy state; the received amount still counts.
        if (m_progressIndicator)
            m_progressIndicator->setRange(0, maximum < 0 ? 0
                                                         : int(std::min<qint64>(maximum, INT_MAX)));
    });
    connect(m_download, &FirmwareDownload::progressValueChanged, this, [this](qint64 value) {
        if (m_progressIndicator && m_progressIndicator->maximum() > 0)
            m_progressIndicator->setValue(
                int(std::min<qint64>(value, m_progressIndicator->maximum())));
    });
    connect(m_download, &FirmwareDownload::failed, this, &UpdateProgressViewController::showError);
    connect(m_download, &FirmwareDownload::verified, this, [this](qint64 imageSize) {
        if (m_infoTextArea)
            m_infoTextArea->setPlainText(localizedString("Info_Preparing"));
        setProgress(0, double(imageSize));
        QTimer::singleShot(handoverDelayMs, this, &UpdateProgressViewController::startWriting);
    });
    m_download->start(targetFirmware().firmwareVersion);
}

void UpdateProgressViewController::startWriting()
{
    if (!m_flashing) {
        m_flashing = new FlashingStage(this);
        // The guard goes up before each run of the tool and down as soon as it has ended.
        m_flashing->setQuitGuard(
            [] {
                if (AppDelegate* delegate = appDelegate.load())
                    delegate->disableQuit();
            },
            [] {
                if (AppDelegate* delegate = appDelegate.load())
                    delegate->enableQuit();
            });
        connect(m_flashing, &FlashingStage::progress, this,
                [this](double written, double total, const QString& statusText) {
                    setProgress(written, total);
                    if (m_infoTextArea)
                        m_infoTextArea->setPlainText(statusText);
                });
        connect(m_flashing, &FlashingStage::succeeded, this,
                &UpdateProgressViewController::showWriteSucceeded);
        connect(m_flashing, &FlashingStage::failed, this, &UpdateProgressViewController::showError);
    }
    m_flashing->startWriting(FirmwareDownload::firmwareFilePath());
}

void UpdateProgressViewController::setProgress(double value, double maximum)
{
    if (!m_progressIndicator)
        return;
    // The bar counts in int; the tool's amounts may be larger, or fractions.
    double scale = 1;
    if (maximum > double(std::numeric_limits<int>::max()))
        scale = double(std::numeric_limits<int>::max()) / maximum;
    const auto toBar = [scale](double amount) {
        return std::isfinite(amount) && amount > 0 ? int(std::llround(amount * scale)) : 0;
    };
    m_progressIndicator->setRange(0, toBar(maximum));
    m_progressIndicator->setValue(std::min(toBar(value), m_progressIndicator->maximum()));
}

} // namespace velt
