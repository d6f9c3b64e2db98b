#include "app/frm_faqs.h"

#include "app/faq_questions.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "profiles/page_pictures.h"
#include "ui_frm_faqs.h"

namespace vornelix {

namespace {

// The client area, 9645 x 7545 twips.
constexpr QSize kFaqSize(643, 503);

}  // namespace

frmFAQs::frmFAQs() : ui(std::make_unique<Ui::frmFAQs>()) {
    ui->setupUi(this);
    setCaption(windowTitle());
    ui->Image1->setPixmap(drawPagePicture(PagePicture::Question, 40));
    ui->Image2->setPixmap(drawPagePicture(PagePicture::Product, 40));
    ui->Combo1->setCurrentIndex(-1);
    setFixedSize(kFaqSize);

    on(ui->Combo1, &QComboBox::currentIndexChanged, [this] { Combo1_Click(); });
    connect(ui->WebBrowser1, &QTextBrowser::sourceChanged, this, [this](const QUrl& page) {
        m_shownPage = page;
        runHandler(ErrorPolicy::ShowDescription,
                   [this] { WebBrowser1_TitleChange(ui->WebBrowser1->documentTitle()); });
    });
    on(ui->Command3, &QPushButton::clicked, [this] { Command3_Click(); });
}

frmFAQs::~frmFAQs() = default;

void frmFAQs::Form_Load() {
    setListIndex(QuestionNo - 1);
}

void frmFAQs::setListIndex(int listIndex) {
    ui->Combo1->setCurrentIndex(listIndex);
}

void frmFAQs::openAt(int listIndex, bool selectFirst) {
    if (selectFirst)
        form<frmFAQs>().setListIndex(listIndex);
    form<frmFAQs>().Show();
    if (!selectFirst)
        form<frmFAQs>().setListIndex(listIndex);
}

void frmFAQs::Combo1_Click() {
    QuestionNo = static_cast<std::int16_t>(ui->Combo1->currentIndex() + 1);
    if (QuestionNo >= 1 && QuestionNo <= 4)
        navigate(platform::files().programFolder() + faqQuestions()[QuestionNo - 1].page);
}

void frmFAQs::navigate(const QString& windowsPath) {
    if (!platform::files().fileExists(windowsPath)) {
        m_shownPage.clear();
        ui->WebBrowser1->setHtml(
            QStringLiteral("<p>This help page could not be found:</p><p>%1</p>")
                .arg(windowsPath.toHtmlEscaped()));
        return;
    }
    // A page already shown is not loaded again.
    const QUrl page = QUrl::fromLocalFile(platform::files().hostPath(windowsPath));
    if (m_shownPage != page)
        ui->WebBrowser1->setSource(page);
}

void frmFAQs::WebBrowser1_TitleChange(const QString& text) {
    const int listIndex = faqQuestionForTitle(text);
    if (listIndex >= 0)
        setListIndex(listIndex);
}

void frmFAQs::Command3_Click() {
    Unload();
}

}  // namespace vornelix
