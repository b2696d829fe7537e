#include "framework/TextField.h"

#include <QLineEdit>

#include <limits>

namespace {
// The line edit's own default would cut a text at 32 767 characters.
constexpr int kNoLimit = std::numeric_limits<int>::max();
}

TextField::TextField(Window& window) : TextEdit(window, new QLineEdit), field_(static_cast<QLineEdit*>(Widget()))
{
    field_->setMaxLength(kNoLimit);
    // Neither the read-only flag nor a validator holds off an accessibility tool's edit: one made
    // while program code waits is undone.
    QObject::connect(
        field_, &QLineEdit::textChanged, field_, [this] { TakeOrUndoChange([this] { text_ = Text(); }, [this] { SetText(text_); }); });
}

const PropertyTable& TextField::DeclaredProperties() const
{
    // The Tab key always moves the focus on: a field holds no tabs.
    // clang-format off
    static const PropertyTable table = Extend(TextEdit::DeclaredProperties(), {
        Declare<TextField, bool>("Password", [](TextField& t, bool v) { t.SetPassword(v); }),
        Declare<TextField, const std::string&>("CueText", [](TextField& t, const std::string& v) { t.SetCueText(v); }),
        Declare<TextField, std::int32_t>("LimitText", [](TextField& t, std::int32_t v) { t.SetLimitText(v); }),
        Ignore<bool>("AcceptTabs"),
    });
    // clang-format on
    return table;
}

std::string TextField::Text() const
{
    return field_->text().toStdString();
}

void TextField::SetText(const std::string& text)
{
    field_->setText(QString::fromStdString(text));
}

bool TextField::ReadOnly() const
{
    return field_->isReadOnly();
}

void TextField::SetReadOnly(bool readOnly)
{
    field_->setReadOnly(readOnly);
}

void TextField::SetBorder(bool border)
{
    field_->setFrame(border);
}

bool TextField::Password() const
{
    return field_->echoMode() == QLineEdit::Password;
}

void TextField::SetPassword(bool password)
{
    field_->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
}

std::string TextField::CueText() const
{
    return field_->placeholderText().toStdString();
}

void TextField::SetCueText(const std::string& text)
{
    field_->setPlaceholderText(QString::fromStdString(text));
}

void TextField::SetLimitText(int limit)
{
    limitText_ = limit;
    field_->setMaxLength(limit > 0 ? limit : kNoLimit);
}

void TextField::ApplyAlignment(Qt::Alignment alignment)
{
    field_->setAlignment(alignment | Qt::AlignVCenter);
}
