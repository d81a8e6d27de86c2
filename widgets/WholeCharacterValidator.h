#pragma once

// What a text field with a length limit accepts while the user types or pastes into it.

#include <QValidator>

class QString;

/// Refuses an edit that would leave half of a character in a field: a line edit with a length
/// limit cuts a pasted or typed text at the limit, which can split a character made of two UTF-16
/// code units (an emoji). Such an edit is refused whole, so the field never holds "?". For the
/// name fields and the Custom template.
class WholeCharacterValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& strInput, int& intPos) const override;
};
