#include "app/faq_questions.h"

namespace vornelix {

const std::array<FaqQuestion, 4>& faqQuestions() {
    static const std::array<FaqQuestion, 4> questions = {{
        {QStringLiteral("\\main_create_profile.html"), QStringLiteral("Create a New Profile")},
        {QStringLiteral("\\choose_name.html"), QStringLiteral("How Can I Choose a Profile Name?")},
        {QStringLiteral("\\virtual_drive.html"),
         QStringLiteral("How Can I Create a Virtual Drive?")},
        {QStringLiteral("\\Installation_path.htm"),
         QStringLiteral("How Can I Choose an Installation Path?")},
    }};
    return questions;
}

int faqQuestionForTitle(const QString& title) {
    const auto& questions = faqQuestions();
    for (std::size_t i = 0; i < questions.size(); ++i)
        if (questions[i].title == title)
            return static_cast<int>(i);
    return -1;
}

}  // namespace vornelix
