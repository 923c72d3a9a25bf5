#include "busy_cursor.h"
#include "prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `call`, acting on the modal dialog of type T it shows (offscreen, so nothing appears on a
// screen). A call that shows no such dialog fails here, not in whichever test runs next.
template <typename T, typename Call>
auto withModal(std::function<void(T*)> act, Call call)
{
    bool acted = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (T* dialog = qobject_cast<T*>(modal)) {
            timer.stop();
            acted = true;
            act(dialog);
        } else if (modal) {
            ADD_FAILURE() << "a modal dialog of another type";
            modal->close();
        }
    });
    timer.start(0);
    const auto result = call();
    EXPECT_TRUE(acted) << "no modal dialog of the expected type";
    return result;
}

} // namespace

TEST(QtPrompter, ShowsRealDialogsAndMapsTheirAnswers)
{
    QtPrompter prompter;
    const auto overwrite = [&] {
        return prompter.Message(QStringLiteral("Overwrite?"), Prompter::Icon::Exclamation,
                                Prompter::Yes | Prompter::No | Prompter::Cancel, QStringLiteral("Save"));
    };
    EXPECT_EQ(withModal<QMessageBox>(
                  [](QMessageBox* box) {
                      EXPECT_EQ(box->icon(), QMessageBox::Warning);
                      EXPECT_EQ(box->windowTitle(), QStringLiteral("Save"));
                      EXPECT_EQ(box->standardButtons(),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                      box->button(QMessageBox::No)->click();
                  },
                  overwrite),
              Prompter::No);
    // Closed: the refusing button.
    EXPECT_EQ(withModal<QMessageBox>([](QMessageBox* box) { box->reject(); }, overwrite), Prompter::Cancel);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString chosen = withModal<QFileDialog>(
        [&](QFileDialog* dialog) {
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            dialog->selectFile(dir.filePath(QStringLiteral("router")));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog makes accept() protected
        },
        [&] {
            return prompter.SaveFile(
                {QStringLiteral("Save Graph"), {}, dir.path(), QStringLiteral(".Trendwick")});
        });
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("router.Trendwick"))) << "the suffix is added";
}

TEST(BusyCursor, NestsAndRestores)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        BusyCursor outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            BusyCursor inner;
        }
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
