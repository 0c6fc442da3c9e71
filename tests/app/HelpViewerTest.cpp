#include "app/HelpViewer.h"

#include "app/MainFormFixture.h"
#include "ui/QtModal.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>

namespace etikor {
namespace {

THelpFile ShippedHelp() {
    return THelpFile::Load(QStringLiteral(ETIKOR_HELP_FILE));
}

QAbstractButton* Button(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text)
            return b;
    return nullptr;
}

THelpViewer* OpenViewer() {
    for (QWidget* w : QApplication::allWidgets())
        if (auto* viewer = qobject_cast<THelpViewer*>(w); viewer && viewer->isVisible())
            return viewer;
    return nullptr;
}

// A click as the window system delivers it: a window blocked by a modal one does not get it.
void ClickTopic(THelpViewer& viewer, int row) {
    QListWidget* list = viewer.Topics();
    const QPoint at = list->viewport()->mapTo(&viewer, list->visualItemRect(list->item(row)).center());
    QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

// An unknown number shows the "missing" page and no topic of the list stays marked.
TEST(HelpViewer, UnknownTopicMarksNoTopic) {
    THelpViewer viewer(ShippedHelp(), nullptr);
    viewer.ShowTopic(26);
    ASSERT_GE(viewer.Topics()->currentRow(), 0);
    EXPECT_EQ(viewer.Topics()->currentItem()->data(Qt::UserRole).toInt(), 26);
    viewer.ShowTopic(9999);
    EXPECT_EQ(viewer.CurrentTopic(), 9999);
    EXPECT_EQ(viewer.Topics()->currentRow(), -1);
    EXPECT_TRUE(viewer.Topics()->selectedItems().isEmpty());
    viewer.ShowTopic(19);
    EXPECT_EQ(viewer.Topics()->currentItem()->data(Qt::UserRole).toInt(), 19);
}

// Every title shows in full.
TEST(HelpViewer, TopicListIsWideEnoughForTheTitles) {
    THelpViewer viewer(ShippedHelp(), nullptr);
    viewer.ShowTopic(10);
    QApplication::processEvents();
    QListWidget* list = viewer.Topics();
    ASSERT_GT(list->count(), 0);
    for (int i = 0; i < list->count(); ++i) {
        const QString title = list->item(i)->text();
        EXPECT_LE(list->fontMetrics().horizontalAdvance(title), list->viewport()->width())
            << title.toStdString();
    }
}

// Help opened from a message box's Help button can be used while the box is open, and stays
// open when the box closes.
TEST(HelpViewer, UsableFromAModalMessageBox) {
    QWidget owner;
    owner.show();
    TQtModal modal;
    modal.Parent = &owner;
    modal.HelpContext = [] { return 26; };
    InstallHelpViewer(modal, owner);

    auto box = modal.BuildMessageBox(QStringLiteral("Biztos?"), QStringLiteral("K"));
    box->setWindowModality(Qt::ApplicationModal); // as exec() runs it
    box->show();
    QApplication::processEvents();
    Button(*box, QStringLiteral("&Súgó"))->click();
    QApplication::processEvents();
    THelpViewer* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->CurrentTopic(), 26);

    // A click on another topic reaches the viewer.
    const int row = viewer->Topics()->currentRow() == 0 ? 1 : 0;
    const int topic = viewer->Topics()->item(row)->data(Qt::UserRole).toInt();
    ClickTopic(*viewer, row);
    EXPECT_EQ(viewer->CurrentTopic(), topic);

    // The box closes; the viewer stays with its owner.
    Button(*box, QStringLiteral("&Nem"))->click();
    box.reset();
    QApplication::processEvents();
    ASSERT_EQ(OpenViewer(), viewer);
    EXPECT_EQ(viewer->parentWidget(), &owner);
    viewer->close();
    EXPECT_FALSE(viewer->isVisible());
}

// Shown while its owner is not on screen yet, the viewer comes to the front once the owner
// appears, even though the window manager activates the newly mapped owner.
TEST(HelpViewer, WaitsForItsOwnerToAppearBeforeComingToTheFront) {
    QWidget owner;
    owner.resize(400, 300);
    owner.winId();
    auto* viewer = new THelpViewer(ShippedHelp(), &owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->ShowTopic(19);
    QApplication::processEvents();
    owner.show();
    owner.activateWindow();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), viewer);
    viewer->close();
}

using test::MainFormTest;

// The help of start-up ("Auto sugo") comes to the front, not behind the main window shown
// after it.
TEST_F(MainFormTest, StartupHelpComesToTheFront) {
    WriteDefaults();
    TQtModal modal;
    form_ = std::make_unique<TMainForm>(dm_, modal);
    modal.Parent = form_.get();
    InstallHelpViewer(modal, *form_);
    form_->show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    THelpViewer* viewer = OpenViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->CurrentTopic(), 19);
    EXPECT_EQ(QApplication::activeWindow(), viewer);
    // Its owner is the main window, which stays usable beside it.
    EXPECT_EQ(viewer->parentWidget(), form_.get());
}

} // namespace
} // namespace etikor
