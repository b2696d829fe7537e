#pragma once

#include "framework/RectControl.h"

#include <string>

class QLabel;

// A static text. Its line endings (CR, CR LF or LF) show as line breaks; a multi-line label also
// wraps its lines at its width.
class Label : public RectControl {
public:
    explicit Label(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    const std::string& Text() const { return OnMainThread(text_); }
    void SetText(const std::string& text);
    // 0 left, 1 centred, 2 right.
    int TextAlign() const { return OnMainThread(textAlign_); }
    void SetTextAlign(int align);
    Color TextColor() const { return OnMainThread(textColor_); }
    void SetTextColor(Color color);
    bool MultiLine() const { return OnMainThread(multiLine_); }
    void SetMultiLine(bool multiLine);
    // The user can select the text with the mouse and copy it.
    bool Selectable() const { return OnMainThread(selectable_); }
    void SetSelectable(bool selectable);
    // A label that is not transparent fills its box with the window's background first.
    bool Transparent() const { return OnMainThread(transparent_); }
    void SetTransparent(bool transparent);

private:
    QLabel* LabelWidget() const;

    std::string text_;
    int textAlign_ = 0;
    Color textColor_ {0};
    bool multiLine_ = false, selectable_ = false, transparent_ = true;
};
