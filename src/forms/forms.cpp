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
#include "forms/main_window_port.h"
#include "forms/reading_order.h"
#include "platform/twips.h"

namespace vornelix {

namespace {
std::map<std::type_index, Form*>& loadedForms() {
    static std::map<std::type_index, Form*> forms;
    return forms;
}

// The windows that the busy state has disabled, to be enabled again when they take input.
std::vector<QPointer<Form>>& heldForms() {
    static std::vector<QPointer<Form>> forms;
    return forms;
}

// A disabled window takes neither keys nor clicks; its frame can still be moved and it is
// painted. One that is disabled already is left as it is.
void holdWhenBusy(Form* form) {
    if (!isBusy() || form->takesInputWhileBusy() || !form->isEnabled())
        return;
    form->setEnabled(false);
    heldForms().emplace_back(form);
}
}  // namespace

Form* FormRegistry::find(std::type_index type) {
    const auto it = loadedForms().find(type);
    return it == loadedForms().end() ? nullptr : it->second;
}

void FormRegistry::add(std::type_index type, Form* form) {
    loadedForms()[type] = form;
    holdWhenBusy(form);
}

void FormRegistry::remove(Form* form) {
    auto& forms = loadedForms();
    for (auto it = forms.begin(); it != forms.end(); ++it)
        if (it->second == form) {
            forms.erase(it);
            return;
        }
}

void FormRegistry::load(Form* form) {
    runHandler(ErrorPolicy::ShowDescription, [form] { form->Form_Load(); });
}

void FormRegistry::followBusyState() {
    std::erase_if(heldForms(), [](const QPointer<Form>& form) {
        if (form && isBusy() && !form->takesInputWhileBusy())
            return false;
        if (form)
            form->setEnabled(true);
        return true;
    });
    for (const auto& [type, form] : loadedForms()) holdWhenBusy(form);
}

void FormRegistry::unloadAll() {
    std::vector<Form*> forms;
    for (const auto& [type, form] : loadedForms()) forms.push_back(form);
    for (Form* form : forms) form->Unload();
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
    // Held off while long work is under way: the work may still use the window.
    if (isBusy()) {
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
