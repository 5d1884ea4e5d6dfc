// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The receiver's reply to an entry command: a status word whose bit 7 accepts
// the entry and whose bits 5..0 name what it refused.
namespace EntryStatus {

struct Reply {
    bool isStatus = false;  // the line held "S:"
    bool accepted = false;  // bit 7 set (a non-status reply counts as accepted)
    bool fits = true;       // the status number fitted 16 bits
    quint16 word = 0;
};

// Decode a reply line: NUL, LF and CR removed, blanks trimmed; a line holding
// "S:" is a status reply whose word is the number after the first ":". A
// number that does not fit 16 bits is not accepted.
Reply parse(const QString &line);

struct ErrorMessage {
    QString text;       // message box text
    QString focusName;  // object name of the control that gets the focus
};

// Messages for the error bits 5, 4, 3, 2, 1, 0 of word, in that order.
QList<ErrorMessage> errorMessages(quint16 word);

// " ERROR: " followed by the word in decimal.
QString errorTitle(quint16 word);

} // namespace EntryStatus
