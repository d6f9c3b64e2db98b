#include "forms/forms.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <map>
#include <vector>

#include "forms/busy_state.h"
#include "forms/default_button.h"
#include "forms/input_hold.h"
#include "forms/main_window_port.h"
#include "forms/reading_order.h"
#include "platform/twips.h"

namespace vornelix {

namespace {

struct LoadedForm {
    Form* form;
    InputWhileBusy takesInput;
};

std::map<std::type_index, LoadedForm>& loadedForms() {
    static std::map<std::type_index, LoadedForm> forms;
    return forms;
}

}  // namespace

Form* FormRegistry::find(std::type_index type) {
    const auto it = loadedForms().find(type);
    return it == loadedForms().end() ? nullptr : it->second.form;
}

void FormRegistry::add(std::type_index type, Form* form, InputWhileBusy takesInput) {
    loadedForms()[type] = {form, takesInput};
    holdWhenBusy(*form);
}

void FormRegistry::remove(Form* form) {
    std::erase_if(loadedForms(), [form](const auto& entry) { return entry.second.form == form; });
}

std::vector<Form*> FormRegistry::loaded() {
    std::vector<Form*> forms;
    for (const auto& [type, entry] : loadedForms()) forms.push_back(entry.form);
    return forms;
}

bool FormRegistry::takesInputWhileBusy(const Form& form) {
    const auto it = loadedForms().find(typeid(form));
    return it != loadedForms().end() && it->second.form == &form && it->second.takesInput();
}

void FormRegistry::load(Form* form) {
    runHandler(ErrorPolicy::ShowDescription, [form] { form->Form_Load(); });
}

void FormRegistry::unloadAll() {
    for (Form* form : loaded()) form->Unload();
}

Form::Form(QWidget* parent) : QWidget(parent) {}

Form::~Form() {
    FormRegistry::remove(this);
}

void Form::ensureSubWindow() {
    if (m_subWindow)
        return;
    MainWindowPort* main = mainWindow();
    if (!main || !main->mdiArea())
        return;
    Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (!fixedSize())
        flags |= Qt::WindowMinMaxButtonsHint;
    m_subWindow = main->mdiArea()->addSubWindow(this, flags);
    m_subWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    if (fixedSize())
        m_subWindow->setFixedSize(m_subWindow->sizeHint());
}

void Form::onSelected(QAbstractButton* option, std::function<void()> handler) {
    connect(option, &QAbstractButton::toggled, this, [handler = std::move(handler)](bool selected) {
        if (selected)
            runHandler(ErrorPolicy::ShowDescription, handler);
    });
}

QSize Form::sizeHint() const {
    return fixedSize() && minimumWidth() > 0 ? minimumSize() : QWidget::sizeHint();
}

void Form::fixSizeForWidth(int width) {
    setFixedWidth(width);
    layout()->activate();
    // A layout whose height does not depend on its width has no height for a width.
    const int height = layout()->totalHeightForWidth(width);
    setFixedHeight(height >= 0 ? height : layout()->totalSizeHint().height());
}

void Form::place() {
    MainWindowPort* main = mainWindow();
    if (!main || !m_subWindow)
        return;
    const QSize mainSize = main->sizeTwips();
    const QSize own = pixelsToTwips(m_subWindow->size());
    const int left = (mainSize.width() - own.width()) / 2;
    const int top = (mainSize.height() - own.height()) / 2 - liftTwips();
    m_subWindow->move(twipsToPixels(left), twipsToPixels(top));
}

void Form::Show() {
    ensureSubWindow();
    const bool first = !m_placed;
    if (first) {
        place();
        m_placed = true;
    }
    QWidget* shown = m_subWindow ? static_cast<QWidget*>(m_subWindow) : this;
    shown->show();
    shown->raise();
    show();
    // The Tab key follows the places that the layout has given the controls.
    if (first)
        applyReadingOrder(this);
    afterShow();
}

void Form::Hide() {
    if (m_subWindow)
        m_subWindow->hide();
    else
        hide();
}

bool Form::isShown() const {
    return m_subWindow ? m_subWindow->isVisible() : isVisible();
}

void Form::setCaption(const QString& caption) {
    setWindowTitle(caption);
    if (m_subWindow)
        m_subWindow->setWindowTitle(caption);
}

void Form::closeEvent(QCloseEvent* event) {
    // Held off while long work is under way, which may still use the window.
    if (isBusy() && !FormRegistry::takesInputWhileBusy(*this)) {
        event->ignore();
        return;
    }
    event->accept();
    // Only a loaded window runs its unload handling; one already unloaded is on its way out.
    if (FormRegistry::find(typeid(*this)) == this)
        Unload();
}

void Form::keyPressEvent(QKeyEvent* event) {
    if (!pressFocusedButton(this, event))
        QWidget::keyPressEvent(event);
}

void Form::Unload() {
    runHandler(ErrorPolicy::Ignore, [this] { Form_Unload(); });
    FormRegistry::remove(this);
    // Destroyed once the current event has been handled: Unload is often called from one of
    // the window's own handlers.
    QWidget* outer = m_subWindow ? static_cast<QWidget*>(m_subWindow) : this;
    outer->hide();
    outer->deleteLater();
}

}  // namespace vornelix
