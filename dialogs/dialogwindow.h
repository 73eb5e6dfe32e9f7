#pragma once

#include <QPointer>
#include <QWidget>

// Base of the three dialogs: a fixed-size window without a task-bar entry
// that stays above the main window, is centred on the screen when first
// shown, and only ever hides. Closing it from the frame or with Escape does
// what its closing button does, so the main window is never left disabled.
class DialogWindow : public QWidget {
public:
    DialogWindow(const QString &caption, int clientWidthTwips, int clientHeightTwips);

    // Makes the dialog visible; the main window disables itself afterwards.
    void showFromMain();

protected:
    // The closing button's action; frame close and Escape run it as well.
    virtual void closeRequested() = 0;

    // Enables the main window, then hides this dialog.
    void returnToMain();

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

    // Runs when the dialog becomes the active window.
    virtual void formActivate() {}

private:
    bool m_placed = false;
    QPointer<QWidget> m_returnFocus; // the main window's control that opened it
};
