#include "busy_cursor.h"
#include "prompter.h"
#include "scripted_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

using Kind = ScriptedPrompter::Kind;

TEST(ScriptedPrompter, RecordsEveryCallWithItsDetails)
{
    ScriptedPrompter prompter;
    Prompter& asInterface = prompter;

    asInterface.Message(QStringLiteral("Save changes?"), Prompter::Icon::Question,
                        Prompter::Yes | Prompter::No, QStringLiteral("Trendwick"));
    const Prompter::FileRequest request{QStringLiteral("Open Graph"), QStringLiteral("Graphs (*.Trendwick)"),
                                        QStringLiteral("/tmp"), QStringLiteral("Trendwick")};
    asInterface.OpenFile(request);
    asInterface.SaveFile(Prompter::FileRequest{QStringLiteral("Save Log"), {}, {}, QStringLiteral("csv")});
    asInterface.ChooseColor(Qt::red, QStringLiteral("Series Colour"));

    ASSERT_EQ(prompter.calls.size(), 4);
    const ScriptedPrompter::Call& message = prompter.calls.at(0);
    EXPECT_EQ(message.kind, Kind::Message);
    EXPECT_EQ(message.text, QStringLiteral("Save changes?"));
    EXPECT_EQ(message.icon, Prompter::Icon::Question);
    EXPECT_EQ(message.buttons, Prompter::Yes | Prompter::No);
    EXPECT_EQ(message.title, QStringLiteral("Trendwick"));

    const ScriptedPrompter::Call& open = prompter.calls.at(1);
    EXPECT_EQ(open.kind, Kind::OpenFile);
    EXPECT_EQ(open.title, request.title);
    EXPECT_EQ(open.file.filter, request.filter);
    EXPECT_EQ(open.file.initialPath, request.initialPath);
    EXPECT_EQ(open.file.defaultSuffix, request.defaultSuffix);

    EXPECT_EQ(prompter.calls.at(2).kind, Kind::SaveFile);
    EXPECT_EQ(prompter.calls.at(2).file.defaultSuffix, QStringLiteral("csv"));
    EXPECT_EQ(prompter.calls.at(3).kind, Kind::ChooseColor);
    EXPECT_EQ(prompter.calls.at(3).initialColor, QColor(Qt::red));
    EXPECT_EQ(prompter.calls.at(3).title, QStringLiteral("Series Colour"));

    EXPECT_EQ(prompter.count(Kind::Message), 1);
    EXPECT_EQ(prompter.count(Kind::SaveFile), 1);

    // The interface's defaults: an exclamation with an OK button.
    asInterface.Message(QStringLiteral("Invalid value"));
    EXPECT_EQ(prompter.calls.last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(prompter.calls.last().buttons, Prompter::Buttons(Prompter::Ok));
}

TEST(ScriptedPrompter, AnswersFromQueuesThenByDefault)
{
    ScriptedPrompter prompter;
    prompter.queueButton(Prompter::No);
    prompter.queueFile(QStringLiteral("/tmp/a.Trendwick"));
    prompter.queueFile(QStringLiteral("/tmp/b.csv"));
    prompter.queueColor(QColor(Qt::blue));
    EXPECT_EQ(prompter.pendingAnswers(), 4);

    // Queues are per kind: a file answer is not consumed by a message.
    EXPECT_EQ(prompter.Message(QStringLiteral("q"), Prompter::Icon::Question, Prompter::Yes | Prompter::No),
              Prompter::No);
    EXPECT_EQ(prompter.SaveFile({}), QStringLiteral("/tmp/a.Trendwick"));
    EXPECT_EQ(prompter.OpenFile({}), QStringLiteral("/tmp/b.csv"));
    EXPECT_EQ(prompter.ChooseColor(Qt::black), std::optional<QColor>(QColor(Qt::blue)));
    EXPECT_EQ(prompter.pendingAnswers(), 0);

    // Empty queues: accept by default, files and colours cancelled.
    EXPECT_EQ(prompter.Message(QStringLiteral("m")), Prompter::Ok);
    EXPECT_EQ(prompter.Message(QStringLiteral("m"), Prompter::Icon::Question, Prompter::Yes | Prompter::No),
              Prompter::Yes);
    EXPECT_EQ(prompter.OpenFile({}), QString());
    EXPECT_EQ(prompter.ChooseColor(Qt::black), std::nullopt);

    prompter.setDefaultChoice(ScriptedPrompter::DefaultChoice::Reject);
    EXPECT_EQ(prompter.Message(QStringLiteral("m"), Prompter::Icon::None, Prompter::Ok | Prompter::Cancel),
              Prompter::Cancel);
    EXPECT_EQ(prompter.Message(QStringLiteral("m"), Prompter::Icon::None, Prompter::Yes | Prompter::No),
              Prompter::No);
    EXPECT_EQ(prompter.Message(QStringLiteral("m"), Prompter::Icon::None, Prompter::Ok), Prompter::Ok);

    // A scripted "cancelled" colour is an answer of its own, not the default.
    prompter.queueColor(std::nullopt);
    prompter.setDefaultChoice(ScriptedPrompter::DefaultChoice::Accept);
    EXPECT_EQ(prompter.ChooseColor(Qt::black), std::nullopt);
    EXPECT_EQ(prompter.calls.size(), 12);
}

namespace {

// Runs `act` on the modal dialog of type T once it is showing (offscreen, so nothing appears).
template <typename T>
void whenModal(std::function<void(T*)> act)
{
    QTimer::singleShot(0, [act] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog of the expected type";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        act(dialog);
    });
}

} // namespace

TEST(QtPrompter, MessageBoxMapsIconsButtonsAndAnswer)
{
    QtPrompter prompter;
    bool checked = false;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->text(), QStringLiteral("Overwrite?"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Save"));
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        checked = true;
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompter.Message(QStringLiteral("Overwrite?"), Prompter::Icon::Exclamation,
                               Prompter::Yes | Prompter::No | Prompter::Cancel, QStringLiteral("Save")),
              Prompter::No);
    EXPECT_TRUE(checked);

    whenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->reject(); // closed without a button: the refusing choice
    });
    EXPECT_EQ(prompter.Message(QStringLiteral("Failed"), Prompter::Icon::Critical,
                               Prompter::Ok | Prompter::Cancel, QString()),
              Prompter::Cancel);
}

TEST(QtPrompter, SaveDialogAppliesDefaultSuffix)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtPrompter prompter;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save Graph"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("Trendwick"));
        dialog->selectFile(dir.filePath(QStringLiteral("router")));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog makes accept() protected
    });
    const QString chosen =
        prompter.SaveFile({QStringLiteral("Save Graph"), QStringLiteral("Graphs (*.Trendwick)"), dir.path(),
                           QStringLiteral(".Trendwick")});
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("router.Trendwick")));

    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompter.OpenFile({QStringLiteral("Open"), {}, dir.path(), {}}), QString());

    whenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompter.ChooseColor(Qt::green, QStringLiteral("Colour")), std::nullopt);
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
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
