#include "busy_cursor.h"
#include "scripted_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

using Kind = ScriptedPrompter::Kind;

TEST(ScriptedPrompter, RecordsCallsAndAnswersFromQueuesThenByDefault)
{
    ScriptedPrompter prompter;
    Prompter& ui = prompter;
    prompter.queueButton(Prompter::No);
    prompter.queueFile(QStringLiteral("/tmp/a.Trendwick"));
    prompter.queueColor(QColor(Qt::blue));

    // Queues are per kind: the file answer is not consumed by a message.
    EXPECT_EQ(ui.Message(QStringLiteral("Save?"), Prompter::Icon::Question, Prompter::Yes | Prompter::No,
                         QStringLiteral("Trendwick")),
              Prompter::No);
    const Prompter::FileRequest request{QStringLiteral("Save Graph"), QStringLiteral("Graphs (*.Trendwick)"),
                                        QStringLiteral("/tmp"), QStringLiteral("Trendwick")};
    EXPECT_EQ(ui.SaveFile(request), QStringLiteral("/tmp/a.Trendwick"));
    EXPECT_EQ(ui.ChooseColor(Qt::red, QStringLiteral("Colour")), std::optional<QColor>(QColor(Qt::blue)));
    EXPECT_EQ(prompter.pendingAnswers(), 0);

    ASSERT_EQ(prompter.calls.size(), 3);
    const ScriptedPrompter::Call& message = prompter.calls.at(0);
    EXPECT_EQ(message.kind, Kind::Message);
    EXPECT_EQ(message.text + message.title, QStringLiteral("Save?Trendwick"));
    EXPECT_EQ(message.buttons, Prompter::Yes | Prompter::No);
    EXPECT_EQ(prompter.calls.at(1).kind, Kind::SaveFile);
    EXPECT_EQ(prompter.calls.at(1).file.defaultSuffix, request.defaultSuffix);
    EXPECT_EQ(prompter.calls.at(2).initialColor, QColor(Qt::red));

    // Empty queues: the interface's exclamation/OK defaults, accepted; files and colours cancelled.
    EXPECT_EQ(ui.Message(QStringLiteral("Invalid")), Prompter::Ok);
    EXPECT_EQ(prompter.calls.last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(ui.Message({}, Prompter::Icon::None, Prompter::Yes | Prompter::No, {}), Prompter::Yes);
    EXPECT_EQ(ui.OpenFile({}), QString());
    EXPECT_EQ(ui.ChooseColor(Qt::black, {}), std::nullopt);
    prompter.setDefaultChoice(ScriptedPrompter::DefaultChoice::Reject);
    EXPECT_EQ(ui.Message({}, Prompter::Icon::None, Prompter::Ok | Prompter::Cancel, {}), Prompter::Cancel);
    EXPECT_EQ(ui.Message({}, Prompter::Icon::None, Prompter::Yes | Prompter::No, {}), Prompter::No);
    EXPECT_EQ(prompter.count(Kind::Message), 5);
    EXPECT_EQ(prompter.count(Kind::OpenFile), 1);
}

namespace {

// Acts on the modal dialog of type T once it shows (offscreen, so nothing appears on a screen).
template <typename T>
void whenModal(std::function<void(T*)> act)
{
    QTimer::singleShot(0, [act] {
        if (T* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            return act(dialog);
        ADD_FAILURE() << "no modal dialog of the expected type";
        if (QWidget* other = QApplication::activeModalWidget())
            other->close();
    });
}

} // namespace

TEST(QtPrompter, ShowsRealDialogsAndMapsTheirAnswers)
{
    QtPrompter prompter;
    whenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Save"));
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompter.Message(QStringLiteral("Overwrite?"), Prompter::Icon::Exclamation,
                               Prompter::Yes | Prompter::No | Prompter::Cancel, QStringLiteral("Save")),
              Prompter::No);
    whenModal<QMessageBox>([](QMessageBox* box) { box->reject(); }); // closed: the refusing button
    EXPECT_EQ(prompter.Message({}, Prompter::Icon::Critical, Prompter::Ok | Prompter::Cancel, {}),
              Prompter::Cancel);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save Graph"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(dir.filePath(QStringLiteral("router")));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog makes accept() protected
    });
    EXPECT_EQ(prompter.SaveFile({QStringLiteral("Save Graph"), {}, dir.path(), QStringLiteral(".Trendwick")}),
              dir.filePath(QStringLiteral("router.Trendwick")));
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
