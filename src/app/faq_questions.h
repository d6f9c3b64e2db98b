#pragma once

#include <QString>
#include <array>

namespace vornelix {

// One question of the FAQ window: its page in the program folder (starting with a backslash)
// and the page's title, which selects the question when the view shows that page.
struct FaqQuestion {
    QString page;
    QString title;
};

// The questions in the order of the FAQ window's list.
const std::array<FaqQuestion, 4>& faqQuestions();

// The list index of the question whose page title is exactly the title (letter case counts);
// -1 for none.
int faqQuestionForTitle(const QString& title);

}  // namespace vornelix
