#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "machine/forms.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// A window with one entry that counts its loads and unloads.
class CountingForm final : public Form {
  public:
    CountingForm() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(entry = new QLineEdit(this));
        fixSizeForWidth(300);
    }
    QLineEdit* entry;
    static inline int loads = 0;
    static inline int unloads = 0;

  protected:
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(FormLifeCycle, LoadOnceHideKeepsUnloadRenewsCloseBoxUnloadsPlacedOnce) {
    test::TestEnvironment env;
    CountingForm::loads = CountingForm::unloads = 0;

    form<CountingForm>().entry->setText("kept");
    EXPECT_EQ(CountingForm::loads, 1);

    // Placement: centred on the main window and lifted by 1000 twips, on the first show only.
    form<CountingForm>().Show();
    QMdiSubWindow* sub = form<CountingForm>().subWindow();
    const QSize main = env.upper.recordingMain.sizeTwips();
    EXPECT_EQ(sub->pos(), QPoint((main.width() - sub->width() * 15) / 2 / 15,
                                 ((main.height() - sub->height() * 15) / 2 - 1000) / 15));
    sub->move(7, 9);
    form<CountingForm>().Hide();
    form<CountingForm>().Show();
    EXPECT_EQ(sub->pos(), QPoint(7, 9));
    EXPECT_EQ(form<CountingForm>().entry->text(), "kept");

    form<CountingForm>().Unload();
    settle();
    EXPECT_EQ(CountingForm::unloads, 1);
    EXPECT_TRUE(form<CountingForm>().entry->text().isEmpty()) << "a fresh window";
    EXPECT_EQ(CountingForm::loads, 2);

    form<CountingForm>().Show();
    form<CountingForm>().subWindow()->close();
    settle();
    EXPECT_FALSE(isLoaded<CountingForm>());
    EXPECT_EQ(CountingForm::unloads, 2);
}

// Tab goes row by row from the top and left to right, whatever order the controls were made
// in; a hidden control keeps its place in the layout.
TEST(FormTabOrder, FollowsTheReadingOrder) {
    test::TestEnvironment env;
    Form window;
    auto* grid = new QGridLayout(&window);
    const std::tuple<const char*, int, int> made[] = {
        {"d", 1, 1}, {"hidden", 1, 1}, {"b", 0, 1}, {"c", 1, 0}, {"a", 0, 0}};
    for (const auto& [name, row, column] : made) {
        auto* button = new QPushButton(name, &window);
        button->setObjectName(name);
        grid->addWidget(button, row, column);
    }
    window.findChild<QPushButton*>("hidden")->hide();
    window.Show();
    QString order;
    QWidget* w = window.findChild<QWidget*>("a");
    for (int i = 0; i < 5; ++i, w = w->nextInFocusChain()) order += w->objectName().left(1);
    EXPECT_EQ(order, "abcdh");
    window.Hide();
}

}  // namespace
}  // namespace vornelix
