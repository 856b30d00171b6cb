#include "controls/JapaneseFont.h"
#include "controls/LocalizableButton.h"
#include "controls/LocalizableField.h"
#include "controls/LocalizableTextView.h"
#include "controls/PaddedButton.h"
#include "controls/ViewWithBackgroundColor.h"
#include "kit/LayoutLoader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QTranslator>
#include <gtest/gtest.h>

namespace velt {
namespace {

TEST(PaddedButton, NaturalSizeIsPaddedOnlyWhileNarrow)
{
    struct Case
    {
        double padding, minimalWidth;
        QSizeF natural, expected;
    };
    const Case cases[] = {
        {25, 75, {40, 30}, {65, 24}},   {25, 75, {99.5, 30}, {124.5, 24}},
        {25, 75, {100, 30}, {100, 30}}, {25, 75, {130, 30}, {130, 30}},
        {0, 75, {60, 30}, {60, 24}},    {0, 75, {75, 30}, {75, 30}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PaddedButton::paddedSize(c.natural, c.padding, c.minimalWidth), c.expected)
            << c.natural.width() << " padding " << c.padding;
    }
}

TEST(PaddedButton, SizeHintPadsTheBasePushButtonsSize)
{
    PaddedButton padded;
    QPushButton plain;
    padded.setText(QStringLiteral("OK"));
    plain.setText(QStringLiteral("OK"));
    EXPECT_EQ(padded.padding(), 25);
    EXPECT_EQ(padded.minimalWidth(), 75);
    ASSERT_LT(plain.sizeHint().width(), 100);
    EXPECT_EQ(padded.sizeHint(), QSize(plain.sizeHint().width() + 25, 24));

    padded.setMinimalWidth(0);
    padded.setPadding(0);
    EXPECT_EQ(padded.sizeHint(), plain.sizeHint());
}

TEST(JapaneseFont, OnlyAJapaneseFirstLanguageCounts)
{
    EXPECT_TRUE(prefersJapanese({"ja-JP", "en"}));
    EXPECT_TRUE(prefersJapanese({"ja"}));
    EXPECT_FALSE(prefersJapanese({"en-US", "ja-JP"}));
    EXPECT_FALSE(prefersJapanese({"JA-JP"}));
    EXPECT_FALSE(prefersJapanese({}));
}

TEST(JapaneseFont, KeepsThePointSizeOrUses14)
{
    if (!QFontDatabase::hasFamily(QString::fromLatin1(japaneseFontFamily)) &&
        !QFontDatabase::hasFamily(QString::fromLatin1(japaneseFallbackFamily)))
        GTEST_SKIP() << "no Japanese font installed (fonts-noto-cjk)";
    QFont thirteen;
    thirteen.setPointSize(13);
    const auto font = japaneseFontFor(thirteen);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->pointSizeF(), 13);
    EXPECT_TRUE(font->family() == QLatin1String(japaneseFontFamily) ||
                font->family() == QLatin1String(japaneseFallbackFamily));

    QFont pixels;
    pixels.setPixelSize(20);
    EXPECT_EQ(japaneseFontFor(pixels)->pointSizeF(), defaultJapaneseFontSize);

    LocalizableButton button;
    button.setFont(thirteen);
    applyJapaneseFontIfPreferred(button, {"en", "ja"});
    EXPECT_EQ(button.font(), thirteen);
    applyJapaneseFontIfPreferred(button, {"ja-JP", "en"});
    EXPECT_EQ(button.font().family(), font->family());
    EXPECT_EQ(button.font().pointSizeF(), 13);
}

// The controls as a page layout creates them: resourceId written by the loader, the text
// applied only at the end of loading.
TEST(LocalizableControls, ApplyTheirKeyOnceLoadedAndKeepLayoutTextWithoutOne)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/i18n/velt_en")));
    QCoreApplication::installTranslator(&english);

    QByteArray ui = R"(<ui version="4.0"><widget class="QWidget" name="page">
      <widget class="LocalizableButton" name="button">
        <property name="text"><string>layout</string></property>
        <property name="resourceId" stdset="0"><string notr="true">ButtonCaption_Finish</string></property>
      </widget>
      <widget class="LocalizableField" name="field">
        <property name="text"><string>Text from the layout</string></property>
      </widget>
      <widget class="LocalizableTextView" name="textView">
        <property name="resourceId" stdset="0"><string>Caption_NoSuchKey</string></property>
      </widget>
      <widget class="PaddedButton" name="padded">
        <property name="padding" stdset="0"><double>10</double></property>
      </widget>
      <widget class="ViewWithBackgroundColor" name="band"/>
    </widget></ui>)";
    QBuffer buffer(&ui);
    LayoutLoader loader;
    std::unique_ptr<QWidget> page(loader.load(&buffer));
    ASSERT_TRUE(page) << loader.errorString().toStdString();

    auto* button = page->findChild<LocalizableButton*>("button");
    auto* field = page->findChild<LocalizableField*>("field");
    auto* textView = page->findChild<LocalizableTextView*>("textView");
    ASSERT_TRUE(button && field && textView);
    EXPECT_EQ(button->resourceId(), "ButtonCaption_Finish");
    EXPECT_EQ(button->text(), "layout");
    EXPECT_EQ(page->findChild<PaddedButton*>("padded")->padding(), 10);
    EXPECT_EQ(page->findChild<ViewWithBackgroundColor*>("band")->backgroundColor(),
              QColor(Qt::black));

    LayoutLoader::awakeFromLayout(page.get());
    EXPECT_EQ(button->text(), "Finish");
    EXPECT_EQ(field->text(), "Text from the layout");
    EXPECT_EQ(textView->toPlainText(), "Caption_NoSuchKey");

    // Applied once: a later key does not change what is on screen.
    button->setResourceId(QStringLiteral("Error_Generic"));
    EXPECT_EQ(button->text(), "Finish");
    QCoreApplication::removeTranslator(&english);
}

TEST(ViewWithBackgroundColor, PaintsBlackUntilGivenAColour)
{
    ViewWithBackgroundColor view;
    view.resize(8, 8);
    EXPECT_EQ(view.grab().toImage().pixelColor(4, 4), QColor(Qt::black));
    view.setBackgroundColor(QColor(28, 61, 90));
    EXPECT_EQ(view.grab().toImage().pixelColor(4, 4), QColor(28, 61, 90));
}

} // namespace
} // namespace velt
