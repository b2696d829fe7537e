#pragma once

#include "framework/TextEdit.h"

class QLineEdit;

// A single-line text field: it holds no line break, which goes from whatever text comes in. While
// program code waits the user cannot change its text (see ProgramWaiting); code sets it all the
// same.
class TextField : public TextEdit {
public:
    explicit TextField(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    void SetBorder(bool border) override;
    bool Password() const;
    void SetPassword(bool password);
    // The hint shown while the field is empty.
    std::string CueText() const;
    void SetCueText(const std::string& text);
    // The most characters the user can enter; 0 for no limit.
    int LimitText() const { return OnMainThread(limitText_); }
    void SetLimitText(int limit);

protected:
    void ApplyAlignment(Qt::Alignment alignment) override;

private:
    QLineEdit* Field() const;

    // The text last taken, which a change refused is undone to.
    std::string text_;
    int limitText_ = 0;
};
