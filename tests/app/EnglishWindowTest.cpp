#include "app/MainFormFixture.h"
#include "designer/CanvasTestSupport.h"
#include "designer/LabelCanvas.h"
#include "support/HungarianText.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

namespace etikor {
namespace {

// The main window under English: its menus, buttons, tabs, status bar and the message boxes its
// commands open have no Hungarian word. The label's own texts are the user's and stay as written.
class EnglishWindowTest : public test::MainFormTest {
protected:
    // The shown texts of the window with the label's own elements left out.
    QStringList HungarianOutsideTheLabel() {
        QStringList out;
        const QWidget* label = &Form().Canvas();
        for (const QString& text : test::HungarianTexts(Form())) {
            bool onLabel = false;
            for (const QWidget* w : label->findChildren<QWidget*>())
                onLabel = onLabel || test::ShownTexts(*w).contains(text);
            if (!onLabel)
                out << text;
        }
        return out;
    }

    test::EnglishTexts english_;
};

TEST_F(EnglishWindowTest, MenusButtonsTabsAndStatusBarAreEnglish) {
    ASSERT_TRUE(english_.Ok());
    TMainForm& form = StartOnFixture();
    EXPECT_EQ(HungarianOutsideTheLabel(), QStringList());
    // Every tab once shown (the element panel's controls change with the selection).
    auto* pages = Child<QTabWidget>("PageControl1");
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        EXPECT_EQ(HungarianOutsideTheLabel(), QStringList()) << pages->tabText(i).toStdString();
    }
    for (const char* element : {"Szoveg_1", "Vkod_1", "Kep_1", "Rajz_1"}) {
        QWidget* view = form.Canvas().View(QString::fromLatin1(element));
        ASSERT_NE(view, nullptr) << element;
        QTest::mouseClick(view, Qt::LeftButton);
        EXPECT_EQ(HungarianOutsideTheLabel(), QStringList()) << element;
    }
    // The date and time codes' list shows English letters.
    const QStringList codes = test::ShownTexts(*Child<QWidget>("DtLista"));
    EXPECT_TRUE(codes.contains(QStringLiteral("D: YYYY.MM.DD"))) << codes.join(" | ").toStdString();
    EXPECT_TRUE(codes.contains(QStringLiteral("T: h:mm AM/PM (12)"))) << codes.join(" | ").toStdString();
    const QStringList status = test::ShownTexts(*Child<QStatusBar>("Lablec"));
    EXPECT_TRUE(status.contains(QStringLiteral("Series: Sorozat0.sor"))) << status.join(" | ").toStdString();
}

// The English captions fit where the Hungarian ones did: the tab bar and every control of the
// tabs show their whole text.
TEST_F(EnglishWindowTest, EnglishTextsShowInFull) {
    ASSERT_TRUE(english_.Ok());
    StartOnFixture();
    auto* pages = Child<QTabWidget>("PageControl1");
    QCoreApplication::processEvents();
    EXPECT_LE(pages->tabBar()->sizeHint().width(), pages->width());
    ExpectTabControlsShowTheirTextInFull();
}

TEST_F(EnglishWindowTest, MessagesOfItsCommandsAreEnglish) {
    ASSERT_TRUE(english_.Ok());
    TMainForm& form = StartOnFixture();
    QTest::mouseClick(form.Canvas().View(QStringLiteral("Rajz_1")), Qt::LeftButton);
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Delete the selected element?"), false);
    Child<QAction>("mTorol")->trigger();
    modal_.ExpectInputBox(QStringLiteral("Number:"), QStringLiteral("x"))
        .ExpectMessageStartingWith(QStringLiteral("H"),
                                   QStringLiteral("An error occurred while the program was running."));
    QTest::keyClick(Child<QWidget>("OldalSzel"), Qt::Key_F1, Qt::ShiftModifier);
    modal_.Verify();
    for (const QString& prompt : modal_.Log())
        EXPECT_FALSE(test::LooksHungarian(prompt)) << prompt.toStdString();
}

} // namespace
} // namespace etikor
