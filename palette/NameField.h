#pragma once

// What a mark's name field accepts while the user types or pastes into it.

#include <QValidator>

class QString;

/// Refuses an edit that would leave half of a character in a name field. A field with a length
/// limit cuts a pasted or typed text at the limit, which can split a character made of two UTF-16
/// code units (an emoji); such an edit is refused whole, so the field never holds "?".
class NameFieldValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& strInput, int& intPos) const override;
};
