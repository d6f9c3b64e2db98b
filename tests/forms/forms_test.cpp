#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QVBoxLayout>
#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

#include "forms/forms.h"
#include "platform/runtime_error.h"
#include "platform/user_interface.h"
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

    // Placement, on the first show only: the 308 x 72 window stands in the middle of the
    // 1024 x 768 main window, lifted by 1000 twips (66 pixels).
    form<CountingForm>().Show();
    QMdiSubWindow* sub = form<CountingForm>().subWindow();
    EXPECT_EQ(sub->geometry(), QRect(358, 281, 308, 72));
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

// Whatever a handler throws ends that handler alone: a numbered error as its window's policy
// says, anything else with a plain message; the end of the program passes through.
TEST(ErrorBoundary, EveryFailureEndsTheHandlerAndTheProgramGoesOn) {
    test::TestEnvironment env;
    using P = ErrorPolicy;
    const struct {
        std::function<void()> fail;
        ErrorPolicy policy;
        const char* shown;  // nullptr: no box
    } failures[] = {
        {[] { throw platform::RuntimeError(53, "File not found"); }, P::ShowDescription,
         "File not found"},
        {[] { throw platform::RuntimeError(53, "File not found"); }, P::Ignore, nullptr},
        {[] { throw std::bad_alloc(); }, P::Ignore, "Out of memory"},
        {[] { throw std::system_error(EAGAIN, std::generic_category(), "thread"); },
         P::ShowDescription,
         "An unexpected error occurred: thread: Resource temporarily unavailable"},
        {[] { throw std::out_of_range(""); }, P::ShowDescription, "An unexpected error occurred."},
        {[] { throw 42; }, P::ShowDescription, "An unexpected error occurred."},
    };
    for (const auto& failure : failures) {
        bool finished = false;
        runHandler(failure.policy, [&] {
            failure.fail();
            finished = true;
        });
        EXPECT_FALSE(finished);
        if (failure.shown)
            EXPECT_EQ(env.ui.takeOnlyBox(), failure.shown);
        else
            EXPECT_TRUE(env.ui.boxes.empty());
    }
    EXPECT_THROW(runHandler(P::Ignore, [] { throw platform::ProgramEnded{}; }),
                 platform::ProgramEnded);
}

}  // namespace
}  // namespace vornelix
