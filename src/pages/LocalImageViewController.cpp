// SPDX-License-Identifier: Apache-2.0
#include "pages/LocalImageViewController.h"

#include "catalogue/FirmwareList.h"
#include "cli/LocalImage.h"
#include "controls/LocalizeControls.h"
#include "core/Localization.h"
#include "ui_LocalImagePage.h"

#include <QFileInfo>
#include <QShowEvent>

namespace velt {
namespace {

// "1.2.0 (Velt One, Velt One SE)" for each catalogue version with this digest.
QStringList publishedVersions(const QString& md5)
{
    QStringList found;
    for (const auto& [name, version] : firmwareList().versions.asKeyValueRange()) {
        if (version->md5hash != md5)
            continue;
        QStringList models;
        for (const Compatibility& compatibility : firmwareList().compatibilities) {
            if (compatibility.versionNames.contains(name))
                models += compatibility.lotName;
        }
        found += models.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, models.join(u", "));
    }
    found.sort();
    return found;
}

QString hex(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

} // namespace

LocalImageViewController::LocalImageViewController(const QString& filePath, const LocalImage& image,
                                                   QWidget* parent)
    : QWidget(parent), m_ui(new Ui::LocalImagePage)
{
    m_ui->setupUi(this);
    localizeControls(*this);
    m_ui->detailsTextArea->setPlainText(
        QStringLiteral("%1: %2\n%3: %4\n%5: %6:%7, %8\nMD5: %9")
            .arg(localizedString("Caption_ImageFile"), QFileInfo(filePath).fileName(),
                 localizedString("Caption_ImageSize"), QString::number(image.size))
            .arg(localizedString("Caption_DfuSuffix"), hex(image.vendorId), hex(image.productId),
                 hex(image.deviceRelease), image.md5));
    const QStringList published = publishedVersions(image.md5);
    m_ui->catalogueMatchLabel->setText(published.isEmpty()
                                           ? localizedString("Warning_ImageNotPublished")
                                           : localizedString("Info_ImagePublished") + u' ' +
                                                 published.join(u"; "));
    m_ui->supportSentFileCheckBox->setText(localizedString("Caption_SupportSentThisFile"));
    m_ui->supportSentFileCheckBox->setVisible(published.isEmpty());
    m_ui->nextButton->setEnabled(!published.isEmpty());
    connect(m_ui->supportSentFileCheckBox, &QCheckBox::toggled, m_ui->nextButton,
            &QPushButton::setEnabled);
    connect(m_ui->nextButton, &QPushButton::clicked, this,
            &LocalImageViewController::nextRequested);
    connect(m_ui->backButton, &QPushButton::clicked, this,
            &LocalImageViewController::backRequested);
}

LocalImageViewController::~LocalImageViewController() = default;

void LocalImageViewController::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The control a user acts on first: Next, or while Next waits for it, the box saying that
    // support sent the file.
    if (event->spontaneous())
        return;
    if (m_ui->nextButton->isEnabled())
        m_ui->nextButton->setFocus(Qt::OtherFocusReason);
    else
        m_ui->supportSentFileCheckBox->setFocus(Qt::OtherFocusReason);
}

} // namespace velt
