#pragma once

namespace ertragon {

// What the login needs of its windows; the real windows and test doubles implement it.
class LoginUi
{
public:
    virtual ~LoginUi() = default;

    virtual bool isLoginDialogVisible() const = 0;
    // Shows FMPass modally; returns when it is hidden again ("Anmelden" or "Abbruch").
    virtual void showLoginDialogModal() = 0;
    virtual void selectPasswordText() = 0;
    // Hides FMPass and FMServer.
    virtual void hideLoginWindows() = 0;
};

} // namespace ertragon
