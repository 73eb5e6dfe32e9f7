// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

class QAbstractButton;

// Base of the program's dialogs: a fixed-size dialog without an icon, a
// task-bar entry or minimize and maximize buttons, modal to the window that
// opens it as far as the window manager is concerned, yet shown without a
// modal loop: the opener shows it, then disables itself; the dialog's
// closing button enables the opener, then hides the dialog. Escape and the
// frame's close button press the closing button, so the opener is never
// left disabled with no dialog on the screen.
class FormDialog : public QDialog {
    Q_OBJECT

public:
    FormDialog(const QString &caption, int clientWidthTwips, int clientHeightTwips);

    // Makes the dialog visible over `opener`, centred on the opener's screen
    // the first time. The opener disables itself afterwards.
    void openOver(QWidget *opener);

    // Brings the open dialog back in front of the user: restored if it was
    // minimized, raised and active.
    void bringBack();

    // Whether the window manager is minimizing the dialog at this moment:
    // it has, but Qt has not been told yet. Some window managers hand the
    // focus to the opener first.
    bool isBeingMinimized() const;
    // Whether the dialog was minimized a moment ago.
    bool minimizedJustNow() const;

    // Escape and the frame's close button end here.
    void reject() override;

protected:
    // The button whose click closes the dialog.
    virtual QAbstractButton *closingButton() const = 0;
    // Runs when the dialog becomes the active window.
    virtual void formActivate() {}

    // Enables the opener, then hides this dialog; the opener's control that
    // opened it gets the focus back.
    void returnToOpener();

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPointer<QWidget> m_opener;
    QPointer<QWidget> m_returnFocus;
    bool m_placed = false;
    QElapsedTimer m_minimized; // since the dialog was last minimized
    bool m_beenActive = false; // since it was last shown
};
