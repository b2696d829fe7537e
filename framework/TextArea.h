#pragma once

#include "framework/TextEdit.h"

class QPlainTextEdit;

// A multi-line text area. Its text reads back exactly as it was set, CR line endings and invalid
// UTF-8 included; once the user edits it, it is the text the user sees. Setting the text costs
// little while the area cannot be seen (hidden, or wholly outside the window's content area):
// the widget takes it up only when the area comes into view.
class TextArea : public TextEdit {
public:
    explicit TextArea(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    void SetBorder(bool border) override;
    // Without a horizontal scroll bar the lines wrap at the area's width.
    bool ScrollBarHorizontal() const { return OnMainThread(scrollBarHorizontal_); }
    void SetScrollBarHorizontal(bool shown);
    bool ScrollBarVertical() const { return OnMainThread(scrollBarVertical_); }
    void SetScrollBarVertical(bool shown);
    // The Tab key types a tab instead of moving the focus on.
    bool AcceptTabs() const;
    void SetAcceptTabs(bool accept);

protected:
    void ApplyAlignment(Qt::Alignment alignment) override;
    void PlacementChanged() override;

private:
    void CatchUp();
    QPlainTextEdit* Area() const;

    mutable std::string text_;
    mutable bool editedByUser_ = false;
    bool widgetBehind_ = false;
    bool scrollBarHorizontal_ = false, scrollBarVertical_ = true;
};
