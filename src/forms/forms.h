#pragma once

#include <QAbstractButton>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <typeindex>
#include <vector>

#include "forms/error_boundary.h"

namespace vornelix {

// A window of the program other than the main window: an MDI child of the main window,
// loaded on first use, shown modeless, hidden or unloaded.
class Form : public QWidget {
    Q_OBJECT
  public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Shows the window modeless as a child of the main window (placing it on first show).
    void Show();
    void Hide();
    // Runs the unload handling, then destroys the window; the next use loads a new one.
    void Unload();
    bool isShown() const;
    QMdiSubWindow* subWindow() const { return m_subWindow; }

    // True while the keyboard is in another program's window embedded in this one: when long
    // work ends with this window in front, that program keeps it.
    virtual bool keyboardInEmbeddedWindow() const { return false; }

    void setCaption(const QString& caption);

    // A window of fixed size is as large as fixSizeForWidth made it.
    QSize sizeHint() const override;

  protected:
    // Connects a control's signal to a handler that runs through the error boundary.
    template <class Sender, class Signal>
    void on(Sender* sender, Signal signal, std::function<void()> handler,
            ErrorPolicy policy = ErrorPolicy::ShowDescription) {
        connect(sender, signal, this,
                [handler = std::move(handler), policy] { runHandler(policy, handler); });
    }

    // Fixes the window to the width and the height its layout needs at that width.
    void fixSizeForWidth(int width);

    // An option button's handler runs when the button becomes the selected one, by a click or
    // from code.
    void onSelected(QAbstractButton* option, std::function<void()> handler);

    // Runs once, right after the window is created (on its first use).
    virtual void Form_Load() {}
    // Runs when the window is unloaded, before it is destroyed.
    virtual void Form_Unload() {}
    // Runs at the end of every Show, once the window and its Tab order are in place.
    virtual void afterShow() {}
    // How far the window lifts itself above the centre of the main window, in twips.
    virtual int liftTwips() const { return 1000; }
    // A fixed border without minimise and maximise buttons.
    virtual bool fixedSize() const { return true; }
    // The window's own placement on first show; the default centres it and lifts it.
    virtual void place();
    // The close box unloads the window, as Unload does; held off while long work is under way
    // unless the window takes input then.
    void closeEvent(QCloseEvent* event) override;
    // Enter on a focused command button presses it; elsewhere it presses the default button.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class FormRegistry;
    void ensureSubWindow();

    QPointer<QMdiSubWindow> m_subWindow;
    bool m_placed = false;
};

// While long work is under way a window takes no input, unless it is one that the work runs in
// or one in which nothing can disturb the work. A type of window that takes input then declares
// a static takesInputWhileBusy() that says when; it answers for every window of the type, loaded
// or not, so a command that opens one is free exactly when the window takes input.
using InputWhileBusy = bool (*)();

template <class T>
bool takesInputWhileBusy() {
    if constexpr (requires { T::takesInputWhileBusy(); })
        return T::takesInputWhileBusy();
    else
        return false;
}

// Each window exists at most once and is reached by its type.
class FormRegistry {
  public:
    static Form* find(std::type_index type);
    static void add(std::type_index type, Form* form, InputWhileBusy takesInput);
    static void remove(Form* form);
    static std::vector<Form*> loaded();
    // The answer of a loaded window's type; a window that is not loaded takes none.
    static bool takesInputWhileBusy(const Form& form);
    // Unloads every loaded window (the main window closes).
    static void unloadAll();
    // Runs the load handler of a window that has just been registered.
    static void load(Form* form);
    // Disables the loaded windows that take no input in the present busy state and enables
    // again those that it disabled and that take input now. When the work has ended, the window
    // in front takes the keyboard back (input_hold.h).
    static void followBusyState();
};

// The window of type T, loaded on first use.
template <class T>
T& form() {
    if (Form* existing = FormRegistry::find(typeid(T)))
        return static_cast<T&>(*existing);
    T* created = new T();
    FormRegistry::add(typeid(T), created, &takesInputWhileBusy<T>);
    FormRegistry::load(created);
    return *created;
}

template <class T>
bool isLoaded() {
    return FormRegistry::find(typeid(T)) != nullptr;
}

template <class T>
void unload() {
    if (Form* existing = FormRegistry::find(typeid(T)))
        existing->Unload();
}

}  // namespace vornelix
