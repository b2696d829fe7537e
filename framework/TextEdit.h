#pragma once

#include "framework/RectControl.h"

#include <qnamespace.h>

#include <string>

// What the single-line text field and the multi-line text area share.
class TextEdit : public RectControl {
public:
    const PropertyTable& DeclaredProperties() const override;

    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void SetBorder(bool border) = 0;
    // 0 and 1 left, 2 centred, 3 right.
    int Alignment() const { return OnMainThread(alignment_); }
    void SetAlignment(int alignment);
    Color TextColor() const { return OnMainThread(textColor_); }
    void SetTextColor(Color color);
    Color BackColor() const { return OnMainThread(backColor_); }
    void SetBackColor(Color color);

protected:
    TextEdit(Window& window, QWidget* widget) : RectControl(window, widget) {}
    virtual void ApplyAlignment(Qt::Alignment alignment) = 0;

private:
    void ApplyColors();

    int alignment_ = 0;
    Color textColor_ {0}, backColor_ {0xFFFFFF};
};
