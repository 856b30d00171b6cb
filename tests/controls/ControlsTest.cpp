// SPDX-License-Identifier: Apache-2.0
#include "controls/JapaneseFont.h"
#include "controls/LocalizableButton.h"
#include "controls/LocalizableTextView.h"
#include "controls/LocalizeControls.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QTranslator>
#include <gtest/gtest.h>

namespace velt {
namespace {

TEST(JapaneseFont, OnlyAJapaneseFirstLanguageSwitchesKeepingThePointSizeOr14)
{
    EXPECT_TRUE(prefersJapanese({"ja-JP", "en"}));
    for (const QStringList& languages :
         {QStringList{"en-US", "ja-JP"}, {"JA-JP"}, {"zh-TW"}, {"ko-KR"}, {}})
        EXPECT_FALSE(prefersJapanese(languages)) << languages.join(u',').toStdString();
    if (!QFontDatabase::hasFamily(QString::fromLatin1(japaneseFontFamily)) &&
        !QFontDatabase::hasFamily(QString::fromLatin1(japaneseFallbackFamily)))
        GTEST_SKIP() << "no Japanese font installed (fonts-noto-cjk)";

    QFont pixels;
    pixels.setPixelSize(20);
    EXPECT_EQ(japaneseFontFor(pixels)->pointSizeF(), defaultJapaneseFontSize);
    QFont thirteen;
    thirteen.setPointSize(13);
    LocalizableButton button;
    button.setFont(thirteen);
    applyJapaneseFontIfPreferred(button, {"en", "ja"});
    EXPECT_EQ(button.font(), thirteen);
    applyJapaneseFontIfPreferred(button, {"ja-JP", "en"});
    EXPECT_EQ(button.font().family(), japaneseFontFor(thirteen)->family());
    EXPECT_EQ(button.font().pointSizeF(), 13);
}

// As a form builds a page: the key is written before the font, the text applied afterwards.
TEST(LocalizableControls, TakeTheirKeysTextAndAccessibleNameOnceLocalized)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/i18n/velt_en")));
    QCoreApplication::installTranslator(&english);
    QWidget page;
    auto* button = new LocalizableButton(&page);
    auto* textView = new LocalizableTextView(&page);
    auto* plain = new QWidget(&page);
    button->setText(QStringLiteral("from the form"));
    button->setResourceId(QStringLiteral("ButtonCaption_Finish"));
    textView->setResourceId(QStringLiteral("Caption_NoSuchKey"));
    plain->setProperty("accessibleNameId", QStringLiteral("ButtonCaption_Finish"));
    EXPECT_EQ(button->text(), "from the form");

    localizeControls(page);
    EXPECT_EQ(button->text(), "Finish");
    EXPECT_EQ(textView->toPlainText(), "Caption_NoSuchKey");
    EXPECT_EQ(plain->accessibleName(), "Finish");
    QCoreApplication::removeTranslator(&english);
}

} // namespace
} // namespace velt
