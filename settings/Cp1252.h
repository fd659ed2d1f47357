#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The Windows "ANSI" code page of Western Europe, which Qt does not ship a codec for.
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1
// control of the same number and encode back, so decoding and encoding lose nothing.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

// Empty when some character has no byte in the code page.
std::optional<QByteArray> encode(QStringView text);

} // namespace Cp1252
