#pragma once

namespace inkora {

// What the text engine tells the control around it. The control raises its events and
// refreshes the inner text box from these calls.
class EditEngineObserver
{
public:
    virtual ~EditEngineObserver() = default;
    virtual void beep() = 0;
    // The Change event.
    virtual void changeRaised() = 0;
    // The KeyPress event with the filtered key; the handler may change or zero it.
    virtual void keyPressRaised(int &keyAscii) = 0;
    // The leave-field formatting asks for the automatic spell check.
    virtual void spellCheckRequested() = 0;
    // The engine rewrote the text, caret or selection.
    virtual void textWritten() = 0;
};

} // namespace inkora
