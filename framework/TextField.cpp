#include "framework/TextField.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace {
// The line edit's own default would cut a text at 32 767 characters.
constexpr int kNoLimit = std::numeric_limits<int>::max();

bool BreaksLine(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}

// A line holds no line break, whatever brings it (a paste, a drop, an input method, code): an
// address copied with its line end must still be the address. The blanks stay.
class OneLine : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        position -= static_cast<int>(std::count_if(input.cbegin(), input.cbegin() + position, BreaksLine));
        input.removeIf(BreaksLine);
        return Acceptable;
    }
};
}

TextField::TextField(Window& window) : TextEdit(window, NewOnMainThread<QLineEdit>())
{
    Field()->setMaxLength(kNoLimit);
    Field()->setValidator(new OneLine(Field()));
    // Neither the read-only flag nor a validator holds off an accessibility tool's edit: one made
    // while program code waits is undone.
    QObject::connect(
        Field(), &QLineEdit::textChanged, Field(), [this] { TakeOrUndoChange([this] { text_ = Text(); }, [this] { SetText(text_); }); });
}

QLineEdit* TextField::Field() const
{
    return WidgetAs<QLineEdit>();
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
    return Field()->text().toStdString();
}

void TextField::SetText(const std::string& text)
{
    ChangeByProgram([&] { Field()->setText(QString::fromStdString(text)); });
}

bool TextField::ReadOnly() const
{
    return Field()->isReadOnly();
}

void TextField::SetReadOnly(bool readOnly)
{
    Field()->setReadOnly(readOnly);
}

void TextField::SetBorder(bool border)
{
    Field()->setFrame(border);
}

bool TextField::Password() const
{
    return Field()->echoMode() == QLineEdit::Password;
}

void TextField::SetPassword(bool password)
{
    Field()->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
}

std::string TextField::CueText() const
{
    return Field()->placeholderText().toStdString();
}

void TextField::SetCueText(const std::string& text)
{
    Field()->setPlaceholderText(QString::fromStdString(text));
}

void TextField::SetLimitText(int limit)
{
    OnMainThread(limitText_) = limit;
    ChangeByProgram([&] { Field()->setMaxLength(limit > 0 ? limit : kNoLimit); });
}

void TextField::ApplyAlignment(Qt::Alignment alignment)
{
    Field()->setAlignment(alignment | Qt::AlignVCenter);
}
