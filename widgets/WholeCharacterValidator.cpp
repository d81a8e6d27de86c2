#include "widgets/WholeCharacterValidator.h"

#include <QString>

QValidator::State WholeCharacterValidator::validate(QString& strInput, int&) const {
    for (qsizetype i = 0; i < strInput.size(); ++i) {
        const QChar chr = strInput.at(i);
        if (chr.isHighSurrogate() && i + 1 < strInput.size() &&
            strInput.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (chr.isSurrogate()) {
            return Invalid;
        }
    }
    return Acceptable;
}
