#pragma once

#include <QWidget>

#include <initializer_list>

namespace tolvane {

// A window with a fixed dialog frame: a title and a close button, no resizing.
inline constexpr Qt::WindowFlags kFixedDialogFrame = Qt::Window | Qt::MSWindowsFixedSizeDialogHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowCloseButtonHint;

class WindowRegistry;

// One window of the program. The window registry makes it and then runs its load handler; a
// close that its unload handler does not cancel destroys it, so the next opening starts afresh.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const QString& name, Qt::WindowFlags flags = {});

    // True once a close has been accepted, even before the window is gone.
    bool isUnloaded() const { return unloaded_; }

    // Tab takes the focus through these controls in this order; one that cannot take it now
    // (disabled, or an option that is not its frame's stop) is passed over.
    using QWidget::setTabOrder;
    static void setTabOrder(std::initializer_list<QWidget*> controls);

signals:
    // The window has accepted its close and is about to be destroyed.
    void unloaded();

protected:
    // Runs once, right after the window is made and before anyone else may use it. It may
    // close the window again, which then counts as never loaded.
    virtual void Form_Load();
    // Runs on every close; setting cancel keeps the window.
    virtual void Form_Unload(bool& cancel);
    void closeEvent(QCloseEvent* event) override;

    // A fixed-size window of the given client size, centred on the screen.
    void setFixedClientTwips(int width, int height);
    static void placeTwips(QWidget* control, int left, int top, int width, int height);
    // Gives a control the name it is known by, so that tests and tools can find it.
    template <class Control>
    static Control* named(Control* control, const char* name) {
        control->setObjectName(QString::fromLatin1(name));
        return control;
    }

private:
    friend class WindowRegistry;

    bool unloaded_ = false;
};

}  // namespace tolvane
