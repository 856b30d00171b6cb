// SPDX-License-Identifier: Apache-2.0
// Every page in every language the program ships, at the window's fixed size: each label and
// button shows its whole text inside the page, and no text area scrolls sideways.
#include "app/MainWindow.h"
#include "app/PageStack.h"
#include "cli/LocalImage.h"
#include "core/Localization.h"
#include "pages/LocalImageViewController.h"
#include "support/WizardTest.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QScrollBar>

namespace velt::test {
namespace {

// The tables built into the program: "de", "en", "pt_BR", ...
std::vector<std::string> languages()
{
    std::vector<std::string> names;
    for (const QString& file : QDir(u":/i18n"_qs).entryList({u"velt_*.qm"_qs}))
        names.push_back(file.mid(5).chopped(3).toStdString());
    return names;
}

// The window with the language's table.
class Fit : public WizardTest, public ::testing::WithParamInterface<std::string>
{
protected:
    Fit() : WizardTest(GetParam()) {}

    // What a label or button asks for (a word-wrapped label: the height for its width) lies
    // inside the page from where the control sits and within the control's width; a
    // word-wrapped label also gets its height. A single line may lose some of its line spacing
    // to a fixed band (the CJK fonts' titles do), never a part of its text.
    void expectFits() const
    {
        QCoreApplication::sendPostedEvents(); // the layouts' pending requests
        QWidget* page = wizard.page();
        for (QWidget* control : page->findChildren<QWidget*>()) {
            const std::string where = (wizard.pageName() + u' ' + control->objectName() +
                                       QStringLiteral(": ") + control->property("text").toString())
                                          .toStdString();
            auto* area = qobject_cast<QAbstractScrollArea*>(control);
            EXPECT_FALSE(area && area->horizontalScrollBar()->isVisible()) << where;
            const auto* label = qobject_cast<QLabel*>(control);
            if (!control->isVisible() || (!label && !qobject_cast<QAbstractButton*>(control)))
                continue;
            const int width = control->width();
            const bool wraps = label && label->wordWrap();
            const QSize wanted =
                wraps ? QSize(width, label->heightForWidth(width)) : control->sizeHint();
            EXPECT_TRUE(wanted.width() <= width &&
                        (!wraps || wanted.height() <= control->height()) &&
                        page->rect().contains(QRect(control->mapTo(page, QPoint()), wanted)))
                << where << " wants " << wanted.width() << 'x' << wanted.height();
        }
    }
};

TEST_P(Fit, EveryTextOfEveryPageFitsWhole)
{
    serveOneImage(QByteArray(4096, 'f'));
    server.setResponse(imagePath(), {.stallMs = 10'000});
    ASSERT_STEP(wizard.walkTo(u"UpdateProgressPage"_qs, {}, -1, [this](const QString&) {
        expectFits();
        // The DFU setup page's other states, the longest texts it shows.
        if (auto* status = wizard.control<QLabel>("deviceStatusField")) {
            for (const char* key : {"Info_DeviceNotFound", "Info_DeviceDeniedRemote",
                                    "Info_DeviceDeniedNoRule", "Info_DeviceBusy"}) {
                status->setText(localizedString(key));
                status->show();
                expectFits();
            }
        }
    }));
    LocalImage image{.md5 = u"0123456789abcdef0123456789abcdef"_qs, .size = 12'345'678};
    wizard.window()->pageStack()->push(
        new LocalImageViewController(u"/home/user/velt-one-support-build.dfu"_qs, image));
    expectFits();
}

INSTANTIATE_TEST_SUITE_P(Languages, Fit, ::testing::ValuesIn(languages()),
                         [](const auto& info) { return info.param; });

} // namespace
} // namespace velt::test
