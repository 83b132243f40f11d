// SPDX-License-Identifier: GPL-3.0-or-later
// Text from 8-bit bytes: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace widgets {

// Each byte as its Windows-1252 character (the usual code page of older Windows systems).
QString fromWindows1252(QByteArrayView bytes);

// UTF-8 when the bytes are valid UTF-8 (an incomplete sequence at the end is not), otherwise
// Windows-1252: names and texts written by older Windows programs keep their accents.
QString fromUtf8OrWindows1252(QByteArrayView bytes);

} // namespace widgets
