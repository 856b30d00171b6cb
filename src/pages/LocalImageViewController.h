// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class LocalImagePage;
}

namespace velt {

struct LocalImage;

// Shows an image file of the user's own before it is written: its name, size, DFU suffix and
// MD5, and whether that MD5 is a version of the catalogue. A file that is none is no published
// firmware: the page says so, and Next waits until the user confirms that support sent it.
class LocalImageViewController : public QWidget
{
    Q_OBJECT

public:
    LocalImageViewController(const QString& filePath, const LocalImage& image,
                             QWidget* parent = nullptr);
    ~LocalImageViewController() override;

signals:
    void nextRequested();
    void backRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const QScopedPointer<Ui::LocalImagePage> m_ui;
};

} // namespace velt
