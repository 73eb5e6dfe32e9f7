#pragma once

#include "dialogs/dialogwindow.h"

#include <array>

class QLabel;
class QPushButton;

// The about box: icon, name, and an invitation to send feedback.
class About : public DialogWindow {
public:
    About();

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QLabel *, 5> Label2{};
    std::array<QLabel *, 2> Label3{};
    QPushButton *Command1 = nullptr; // "OK"

protected:
    void closeRequested() override;

private:
    void command1Click();
};
