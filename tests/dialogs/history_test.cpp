#include "dialog_test_support.h"
#include "history_combo_box.h"
#include "history_store.h"

TEST(HistoryComboBox, KeepsEachTextOnceAndRestoresWithTheTextInUseLast)
{
    const auto makeCombo = [](const QString& name) {
        auto combo = std::make_unique<HistoryComboBox>();
        combo->setHistoryOwner(QStringLiteral("Trendwick History Test"));
        combo->setHistoryName(name);
        combo->RestoreHistory();
        return combo;
    };
    auto combo = makeCombo("Round Trip");
    EXPECT_EQ(combo->count(), 0);
    combo->setText("typed");
    for (const char* text : {"alpha", "beta", "alpha", ""})
        combo->AddItem(text);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->Text(), QStringLiteral("typed")) << "adding entries must not replace the text";
    combo->setText("alpha");
    combo->StoreHistory();

    auto again = makeCombo("Round Trip");
    ASSERT_EQ(again->count(), 2);
    EXPECT_EQ(again->itemText(0), QStringLiteral("beta"));
    EXPECT_EQ(again->itemText(1), QStringLiteral("alpha"));
    EXPECT_EQ(again->Text(), QStringLiteral("alpha"));
    EXPECT_EQ(makeCombo("Other")->count(), 0) << "histories of one owner are kept apart";

    QStringList many;
    for (int i = 0; i < HistoryStore::MaximumEntries + 5; ++i)
        many.append(QString::number(i));
    const HistoryStore store(QStringLiteral("Trendwick History Test"));
    store.Save("Many", many);
    EXPECT_EQ(store.Load("Many"), many.mid(5)) << "the oldest entries drop out";
}
