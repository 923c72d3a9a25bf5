#include "busy_cursor.h"
#include "prompter.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <modal_driver.h>

// A real dialog that does not show fails where it is missing, not later in another test.
TEST(QtPrompter, ShowsRealDialogsAndMapsTheirAnswers)
{
    QtPrompter prompter;
    const auto overwrite = [&] {
        return prompter.Message(QStringLiteral("Overwrite?"), Prompter::Icon::Exclamation,
                                Prompter::Yes | Prompter::No | Prompter::Cancel, QStringLiteral("Save"));
    };
    ModalDriver no([](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box)
            return false; // the guard ends the run, and `done` stays false
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Save"));
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->button(QMessageBox::No)->click();
        return true;
    });
    EXPECT_EQ(overwrite(), Prompter::No);
    ModalDriver closed([](QDialog* dialog) { // closed: the refusing button
        dialog->reject();
        return true;
    });
    EXPECT_EQ(overwrite(), Prompter::Cancel);

    QTemporaryDir dir;
    ModalDriver save([&](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (!files)
            return false;
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
        // A focused name field keeps its text; the dialog takes the focus so the selection shows.
        files->setFocus();
        files->selectFile(dir.filePath(QStringLiteral("router")));
        dialog->accept();
        return true;
    });
    EXPECT_EQ(prompter.SaveFile({QStringLiteral("Save Graph"), {}, dir.path(), QStringLiteral(".Trendwick")}),
              dir.filePath(QStringLiteral("router.Trendwick")))
        << "the suffix is added";
    EXPECT_TRUE(no.done && closed.done && save.done);
}

TEST(BusyCursor, NestsAndRestores)
{
    {
        BusyCursor outer;
        {
            BusyCursor inner;
        }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
